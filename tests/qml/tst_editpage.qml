import QtQuick 2.2
import QtTest 1.2
import QtQuick.Controls.Universal 2.2
import com.tavo.opencv 1.0
import "../../qml"

Item {
    id: root
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

        property var repeater: findChild(editPage, "repeater")
        property var slider: findChild(editPage, "padding")
        property var spinBox: findChild(editPage, "maximumwidth")

        // A tile, once the grid has placed it.
        function tile(i) {
            waitForItemPolished(findChild(editPage, "grid"))
            return repeater.itemAt(i)
        }
        function press(name) { mouseClick(findChild(editPage, name)) }
        function options(i) { return [tile(i).crop, tile(i).padding, tile(i).maxWidth] }
        function sortedSelection() {
            return editPage.selected.slice().sort(function (a, b) { return a - b })
        }

        function initTestCase() {
            for (var i = 0; i < 3; ++i)
                cvimage.addImage(testImageUrls[i])
        }

        // Every test starts with one more photo, nothing selected, first options, fresh controls.
        function init() {
            cvimage.addImage(testImageUrls[3])
            press("deselectAll")
            slider.value = 50
            spinBox.value = 400
            var all = []
            for (var i = 0; i < repeater.count; ++i)
                all.push(i)
            cvimage.photos.setOptions(all, { crop: false, padding: 50, maxWidth: 400 })
            compare(repeater.count, cvimage.imageArray.length)
        }

        function test_hintWhileNothingIsSelected() {
            var hint = findChild(editPage, "hint")
            verify(hint.visible)
            mouseClick(tile(0))
            verify(!hint.visible)
            press("deselectAll")
            verify(hint.visible)
        }

        function test_cropAndResetLeaveTheWidth() {
            slider.value = 30 // nothing selected: only the label changes
            compare(options(0), [false, 50, 400])
            mouseClick(tile(0))
            cvimage.photos.setOptions([0], { maxWidth: 250 })
            press("crop")
            compare(options(0), [true, 30, 250])
            compare(tile(0).source, cvimage.imageArray[0] + "#crop=1&padding=30&maxWidth=250")
            press("reset")
            compare(options(0), [false, 0, 250]) // padding 0, not back to 50
            compare(options(1), [false, 50, 400])
        }

        function test_sliderActsOnSelectedTiles() {
            mouseClick(tile(2))
            slider.value = 80
            compare(options(2), [false, 80, 400])
            compare(options(0), [false, 50, 400])
            mouseClick(tile(2))
            slider.value = 10
            compare(options(2), [false, 80, 400])
        }

        function test_spinBoxActsOnlyWhenTheUserChangesIt() {
            mouseClick(tile(1))
            spinBox.value = 600 // set by a program: no tile changes
            compare(options(1), [false, 50, 400])
            spinBox.forceActiveFocus()
            keyClick(Qt.Key_Up)
            compare(spinBox.value, 601)
            compare(options(1), [false, 50, 601])
            compare(options(0), [false, 50, 400])
            // A tile selected later keeps its width until the box changes again.
            mouseClick(tile(0))
            compare(options(0), [false, 50, 400])
            spinBox.forceActiveFocus()
            keyClick(Qt.Key_Down)
            compare(options(0), [false, 50, 600])
        }

    }
}
