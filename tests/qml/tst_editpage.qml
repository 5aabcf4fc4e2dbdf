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
            verify(!slider.enabled) // nothing selected: nothing to set
            mouseClick(tile(0))
            verify(!hint.visible)
            spinBox.value = 600 // set by a program: no photo changes
            compare(options(0), [false, 50, 400])
            spinBox.forceActiveFocus()
            keyClick(Qt.Key_Up)
            compare(options(0), [false, 50, 601])
            slider.value = 30
            press("crop")
            compare(options(0), [true, 30, 601])
            press("reset")
            compare(options(0), [false, 0, 601]) // padding 0, the width kept
            slider.value = 80
            compare(options(0), [false, 80, 601])
            compare(options(1), [false, 50, 400])
            // A width typed and confirmed lets the keys go back to the photos.
            spinBox.forceActiveFocus()
            spinBox.contentItem.selectAll()
            keyClick(Qt.Key_6)
            keyClick(Qt.Key_5)
            keyClick(Qt.Key_Return)
            compare(options(0), [false, 80, 65])
            verify(!spinBox.activeFocus)
            press("deselectAll")
            verify(hint.visible)
        }

        // The controls show the selection's own values, mixed where its photos differ (the
        // detector's neither checked), and only Set as Default changes what new photos start with.
        function test_perPhotoTruth() {
            var label = function (text) {
                return findChild(editPage, "paddingLabel").text.indexOf(text) >= 0
            }
            var percent = findChild(editPage, "paddingPercent")
            var edges = findChild(editPage, "detectEdges")
            var object = findChild(editPage, "detectObject")
            var repeater = findChild(editPage, "repeater")
            // Photos of their own, after those the other test uses.
            cvimage.addImage(testImageUrls[1])
            tryCompare(repeater, "count", 4)
            cvimage.photos.setOptions([2], { padding: 20, paddingPercent: true, detect: "object" })
            cvimage.photos.setOptions([3], { padding: 40 })
            mouseClick(tile(3))
            tryVerify(function () { return slider.value === 40 && label("40") })
            compare(percent.checkState, Qt.Unchecked)
            verify(edges.checked && !object.checked)
            mouseClick(tile(2))
            tryVerify(function () { return label("mixed") })
            compare(percent.checkState, Qt.PartiallyChecked)
            verify(!edges.checked && !object.checked)
            compare(options(3), [false, 40, 400]) // showing changed nothing
            mouseClick(percent) // a click on a mixed box sets it, with the padding shown, for all
            compare(percent.checkState, Qt.Checked)
            mouseClick(edges)
            compare(cvimage.photos.commonOptions([2, 3]), {
                        crop: false, padding: 40, maxWidth: 400, paddingPercent: true,
                        originalSize: false, noEnlarge: false, straighten: 0,
                        detect: "edges", aspect: "", fill: 0, size: "",
                        frameColour: "#ffffff" })
            cvimage.photos.setOptions([2], { padding: 10 })
            tryVerify(function () { return label("mixed") })
            spinBox.value = 700
            spinBox.forceActiveFocus()
            keyClick(Qt.Key_Up) // both photos: 701 wide
            press("setDefault")
            var defaults = cvimage.photos.defaults
            compare([defaults.padding, defaults.maxWidth, defaults.paddingPercent],
                    [50, 701, true]) // the mixed padding kept its default
            cvimage.addImage(testImageUrls[2])
            tryCompare(repeater, "count", 5)
            compare(options(4), [false, 50, 701])
            press("deselectAll")
            cvimage.photos.defaults = { maxWidth: 400, paddingPercent: false }
        }

        // A preset frames the selected photos, the controls show it, and the shown frame can be
        // kept as the user's own preset, listed from then on.
        function test_framePresets() {
            var preset = findChild(editPage, "framePreset")
            mouseClick(tile(0))
            tryVerify(function () { return preset.currentIndex === 0 }) // no frame
            var square = editPage.presets.map(function (p) { return p.name })
                                 .indexOf("Square 2000, white")
            verify(square > 0)
            preset.activated(square)
            var frame = cvimage.photos.commonOptions([0])
            compare([frame.aspect, frame.fill, frame.size, frame.frameColour],
                    ["1:1", 85, "2000x2000", "#ffffff"])
            verify(tile(0).source.indexOf("&aspect=1:1&fill=85&size=2000x2000") > 0)
            tryVerify(function () { return preset.currentIndex === square })
            compare(findChild(editPage, "frameAspect").editText, "1:1")
            cvimage.photos.setOptions([0], { frameColour: "#102030" })
            tryVerify(function () { return preset.currentIndex === -1 }) // a frame of its own
            findChild(editPage, "presetName").text = "Dark square"
            findChild(editPage, "savePreset").clicked() // below the fold of the test window
            var own = editPage.presets.length - 1
            compare(editPage.presets[own].name, "Dark square")
            tryVerify(function () { return preset.currentIndex === own })
            cvimage.history.undo()
            cvimage.history.undo()
            tryVerify(function () { return preset.currentIndex === 0 })
            press("deselectAll")
        }

        // Tab until the item has the keyboard; false when a round of the window does not reach it.
        function tabTo(item) {
            for (var i = 0; i < 40 && !item.activeFocus; ++i)
                keyClick(Qt.Key_Tab)
            return item.activeFocus
        }

        // Without the mouse: a photo chosen with the arrows and selected with Space, cropped,
        // opened in the crop view with Enter, and removed.
        function test_keyboardOnly() {
            var grid = findChild(editPage, "grid")
            var repeater = findChild(editPage, "repeater")
            var count = repeater.count
            verify(count >= 2)
            editPage.forceActiveFocus()
            verify(tabTo(grid))
            keyClick(Qt.Key_End)
            keyClick(Qt.Key_Left)
            compare(grid.current, count - 2)
            verify(tile(count - 2).current) // its focus ring shows
            verify(!tile(count - 1).current)
            keyClick(Qt.Key_Right)
            keyClick(Qt.Key_Space)
            verify(tile(count - 1).selected)
            compare(editPage.selected, [count - 1])
            verify(tabTo(findChild(editPage, "crop")))
            keyClick(Qt.Key_Space)
            compare(tile(count - 1).crop, true)
            compare(tile(count - 2).crop, false)
            verify(tabTo(grid))
            compare(grid.current, count - 1) // the grid remembers its tile
            keyClick(Qt.Key_Return)
            tryVerify(function () { return editPage.editorOpen })
            keyClick(Qt.Key_Escape)
            tryVerify(function () { return !editPage.editorOpen })
            verify(tabTo(findChild(editPage, "remove")))
            keyClick(Qt.Key_Space)
            tryCompare(repeater, "count", count - 1)
            compare(editPage.selected, [])
            cvimage.addImage(testImageUrls[2]) // as many photos as the other tests expect
            // Only the tiles in view animate their busy indicators.
            var view = grid.scrollView.contentItem
            verify(tile(0).onScreen)
            view.contentY = 400
            verify(!tile(0).onScreen)
            view.contentY = 0
        }
    }
}
