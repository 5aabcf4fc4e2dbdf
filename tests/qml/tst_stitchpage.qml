import QtQuick 2.2
import QtTest 1.2
import QtQuick.Controls.Universal 2.2
import com.tavo.opencv 1.0
import "../../qml"

Item {
    id: root
    width: 1200
    height: 700

    // The images the page shows.
    CvImage {
        id: images
    }

    // Stands in for the window's image object: records what an export is asked to write, fails
    // the files whose (left) descriptor is failing, and finishes at once.
    QtObject {
        id: cvimage

        property var calls: []
        property var failing: []
        property QtObject exporter: QtObject {
            property bool running: false
            property int done: 0
            property int total: 0

            signal finished(int written, int total, bool cancelled)

            function start(folder, singles, pairs) {
                cvimage.calls.push("folder " + folder)
                var written = 0
                singles.forEach(function (single) {
                    cvimage.calls.push("save " + single)
                    written += cvimage.failing.indexOf(single) < 0 ? 1 : 0
                })
                pairs.forEach(function (pair) {
                    cvimage.calls.push("pair " + pair[0] + " " + pair[1])
                    written += cvimage.failing.indexOf(pair[0]) < 0 ? 1 : 0
                })
                finished(written, singles.length + pairs.length, cvimage.cancelling)
            }
            function cancel() {}
            function existingFiles(folder, singles, pairs) { return cvimage.existing }
        }
        property int existing: 0
        property bool cancelling: false
    }

    QtObject {
        id: applicationWindow

        property int closed: 0

        function close() { ++closed }
    }

    StitchPage {
        id: stitchPage
        width: root.width
        height: root.height
    }

    TestCase {
        name: "StitchPage"
        when: windowShown

        property var repeater: findChild(stitchPage, "repeater")
        property var pairRepeater: findChild(stitchPage, "pairRepeater")
        property var failure: findChild(stitchPage, "exportFailure")
        property var urls: []

        // A tile, once the grid has placed the visible ones.
        function tile(i) {
            waitForItemPolished(findChild(stitchPage, "grid"))
            return repeater.itemAt(i)
        }
        function descriptor(i) { return urls[i].substring(11) }
        function removePair(k) { mouseClick(pairRepeater.itemAt(k)) }
        function pair(first, second) {
            mouseClick(tile(first))
            mouseClick(tile(second))
        }
        function visibleTiles() {
            var shown = []
            for (var i = 0; i < repeater.count; ++i) {
                if (tile(i).visible)
                    shown.push(i)
            }
            return shown
        }

        function initTestCase() {
            for (var i = 0; i < 6; ++i)
                images.addImage(testImageUrls[i])
            for (var k = 0; k < 6; ++k)
                urls.push(images.imageArray[k] + "#crop=" + (k % 2) + "&padding=" + (10 * k)
                          + "&maxWidth=400")
        }

        function init() {
            stitchPage.sources = urls
            stitchPage.stitched = []
            stitchPage.hidden = []
            stitchPage.current = -1
            cvimage.calls = []
            cvimage.failing = []
            cvimage.cancelling = false
            cvimage.existing = 0
            findChild(stitchPage, "overwriteQuestion").close()
            applicationWindow.closed = 0
            urlOpener.opened = []
            failure.close()
        }

        function test_choosingAndUndoing() {
            mouseClick(tile(2))
            compare(stitchPage.current, 2)
            verify(Qt.colorEqual(tile(2).border.color, tile(2).Universal.accent))
            mouseClick(tile(2))
            compare(stitchPage.current, -1)
            verify(Qt.colorEqual(tile(2).border.color, "#333"))
            compare(stitchPage.stitched, [])
        }

        function test_pairing() {
            pair(4, 1)
            compare(stitchPage.stitched, [[urls[4], urls[1]]])
            compare(stitchPage.hidden, [1, 4])
            compare(stitchPage.current, -1)
            compare(visibleTiles(), [0, 2, 3, 5])
            compare(pairRepeater.count, 1)
            // The tile clicked first is the left half.
            var preview = pairRepeater.itemAt(0).children[0]
            compare(preview.source.toString(),
                    "image://stitch/" + descriptor(4) + "*" + descriptor(1))
            tryCompare(preview, "status", Image.Ready)
            compare(preview.sourceSize, Qt.size(400, 200))
        }

        function test_removingTheMiddlePair() {
            pair(0, 1)
            pair(2, 3)
            pair(5, 4)
            compare(visibleTiles(), [])
            removePair(1)
            compare(visibleTiles(), [2, 3])
            compare(stitchPage.stitched, [[urls[0], urls[1]], [urls[5], urls[4]]])
            compare(stitchPage.hidden, [1, 0, 4, 5])
            removePair(1)
            compare(visibleTiles(), [2, 3, 4, 5])
            compare(stitchPage.stitched, [[urls[0], urls[1]]])
        }

        function test_removalKeepsTheChoice() {
            pair(0, 1)
            mouseClick(tile(3))
            removePair(0)
            compare(stitchPage.current, 3)
            compare(visibleTiles(), [0, 1, 2, 3, 4, 5])
        }

        function test_exportOrder() {
            pair(3, 0)
            pair(5, 2)
            mouseClick(tile(4)) // chosen, not paired: written alone
            stitchPage.exportFiles("file:///out")
            compare(cvimage.calls, [
                "folder file:///out",
                "save " + descriptor(1),
                "save " + descriptor(4),
                "pair " + descriptor(3) + " " + descriptor(0),
                "pair " + descriptor(5) + " " + descriptor(2)
            ])
            compare(urlOpener.opened, ["file:///out"])
            compare(applicationWindow.closed, 1)
            verify(!failure.visible)
        }

        function test_exportWithoutImages() {
            stitchPage.sources = []
            stitchPage.exportFiles("file:///empty")
            compare(cvimage.calls, ["folder file:///empty"])
            compare(urlOpener.opened, ["file:///empty"])
            compare(applicationWindow.closed, 1)
        }

        function test_failedExportKeepsTheWindow() {
            pair(0, 1)
            cvimage.failing = [descriptor(3), descriptor(0)]
            stitchPage.exportFiles("file:///read%20only/%23%C3%BC")
            compare(cvimage.calls.length, 1 + 4 + 1) // everything is still tried
            compare(applicationWindow.closed, 0)
            compare(urlOpener.opened, [])
            verify(failure.visible)
            compare(failure.text, "2 of 5 files could not be written into /read only/#ü."
                    + " Press Export to choose another folder.")
            compare(stitchPage.stitched, [[urls[0], urls[1]]]) // the pairs stay
            // The message outlasts clicks elsewhere, such as the one that chose the folder.
            mouseClick(root, 5, root.height - 5)
            verify(failure.visible)

            cvimage.failing = []
            stitchPage.exportFiles("file:///elsewhere")
            compare(applicationWindow.closed, 1)
            compare(urlOpener.opened, ["file:///elsewhere"])
        }

        function test_cancelledExportSaysWhatWasWritten() {
            cvimage.cancelling = true
            cvimage.failing = [descriptor(2)]
            stitchPage.exportFiles("file:///out")
            compare(applicationWindow.closed, 0)
            verify(failure.visible)
            compare(failure.text, "Export cancelled: 5 of 6 files written into /out.")
        }

        SignalSpy {
            id: folderWanted
            target: stitchPage
            signalName: "folderWanted"
        }

        function test_existingFilesAreNotReplacedWithoutAsking_data() {
            return [{ tag: "Replace", button: "replace", written: true },
                    { tag: "Choose Another Folder", button: "chooseAnother", written: false }]
        }

        function test_existingFilesAreNotReplacedWithoutAsking(data) {
            folderWanted.clear()
            cvimage.existing = 2
            stitchPage.exportFiles("file:///out")
            var question = findChild(stitchPage, "overwriteQuestion")
            verify(question.visible)
            compare(question.text, "2 files already exist in /out.")
            compare(cvimage.calls, []) // nothing written before the answer
            mouseClick(findChild(stitchPage, data.button))
            verify(!question.visible)
            compare(cvimage.calls.length > 0, data.written)
            compare(applicationWindow.closed, data.written ? 1 : 0)
            compare(folderWanted.count, data.written ? 0 : 1)
        }

        function test_columns() {
            // Half of a 1200-pixel page, less 10: floor((590 - 20) / 228) columns.
            compare(findChild(stitchPage, "grid").columns, 2)
        }
    }
}
