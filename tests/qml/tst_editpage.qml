// Guards the edit page: settings reach only the selection, the width only on user change.
import QtQuick 2.2
import QtTest 1.2
import com.tavo.opencv 1.0
import "../../qml"

Item {
    width: 1100
    height: 700

    CvImage {
        id: cvimage
    }

    EditPage {
        id: editPage
        anchors.fill: parent
    }

    TestCase {
        name: "EditPage"
        when: windowShown

        property var slider: findChild(editPage, "padding")
        property var spinBox: findChild(editPage, "maximumwidth")

        function tile(i) {
            waitForItemPolished(findChild(editPage, "grid"))
            return findChild(editPage, "repeater").itemAt(i)
        }
        function press(name) { mouseClick(findChild(editPage, name)) }
        function options(i) { return [tile(i).crop, tile(i).padding, tile(i).maxWidth] }

        function initTestCase() {
            for (var i = 0; i < 3; ++i)
                cvimage.addImage(testImageUrls[i])
        }

        function test_settingsReachOnlyTheSelection() {
            var hint = findChild(editPage, "hint")
            verify(hint.visible)
            slider.value = 30 // nothing selected: no photo changes
            mouseClick(tile(0))
            verify(!hint.visible)
            spinBox.value = 600 // set by a program: no photo changes
            compare(options(0), [false, 50, 400])
            spinBox.forceActiveFocus()
            keyClick(Qt.Key_Up)
            compare(options(0), [false, 50, 601])
            press("crop")
            compare(options(0), [true, 30, 601])
            press("reset")
            compare(options(0), [false, 0, 601]) // padding 0, the width kept
            slider.value = 80
            compare(options(0), [false, 80, 601])
            compare(options(1), [false, 50, 400])
            press("deselectAll")
            verify(hint.visible)
        }
    }
}
