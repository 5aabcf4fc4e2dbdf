import QtQuick 2.2
import QtTest 1.2
import com.tavo.opencv 1.0
import "../../qml"
import "../../qml/ImageItem.js" as ImageItemScript

Item {
    id: root
    width: 1000
    height: 600

    CvImage {
        id: cvimage
    }

    ImportPage {
        id: importPage
        anchors.fill: parent
    }

    TestCase {
        name: "ImportPage"
        when: windowShown

        function test_a_emptyPage() {
            compare(importPage.canContinue, false)
            var invitation = importPage.children[0].children[1] // the drop area's second child
            verify(invitation.visible)
            compare(invitation.children[0].text, "Drag Your Images Here")
            verify(!findChild(importPage, "grid").visible)
        }

        function test_columnRule_data() {
            return [
                { tag: "narrow", width: 0, importColumns: 1, gridColumns: 0 },
                { tag: "247", width: 247, importColumns: 1, gridColumns: 0 },
                { tag: "248", width: 248, importColumns: 2, gridColumns: 1 },
                { tag: "475", width: 475, importColumns: 2, gridColumns: 1 },
                { tag: "476", width: 476, importColumns: 3, gridColumns: 2 },
                { tag: "703.5", width: 703.5, importColumns: 3, gridColumns: 2 },
                { tag: "704", width: 704, importColumns: 4, gridColumns: 3 },
                { tag: "932", width: 932, importColumns: 5, gridColumns: 4 },
                { tag: "1159", width: 1159, importColumns: 5, gridColumns: 4 },
                { tag: "1160", width: 1160, importColumns: 6, gridColumns: 5 }
            ]
        }

        function test_columnRule(data) {
            compare(ImageItemScript.gridColumns(data.width, 1), data.importColumns)
            compare(ImageItemScript.gridColumns(data.width, 0), data.gridColumns)
        }

        function test_b_thumbnails() {
            cvimage.addImage(testImageUrls[0])
            cvimage.addImage(testImageUrls[1])
            var grid = findChild(importPage, "grid")
            verify(grid.visible)
            compare(grid.columns, 5) // a 1000-pixel page
            root.width = 700
            compare(grid.columns, 3)
            root.width = 1000
            // Thumbnails show the bare image URLs, without options, over the file's name.
            var cell = grid.children[1]
            compare(cell.children[1].text, "image 1.png")
            var thumbnail = cell.children[0]
            compare(thumbnail.source.toString(), cvimage.imageArray[1])
            compare(thumbnail.width, 200)
            compare(thumbnail.sourceSize, Qt.size(200, 200))
            tryCompare(thumbnail, "status", Image.Ready)
        }
    }
}
