import QtQuick 2.2
import QtQuick.Controls 2.2
import QtQuick.Layouts 1.3
import QtQuick.Controls.Universal 2.2
import "./ImageItem.js" as ImageItemScript

Row {
    id: stitchPage

    // The descriptor URLs of all images, as the session has them now.
    property var sources: cvimage.photos.sources()
    // The store index of the photo chosen as the first of a pair, -1 while none is.
    property int current: -1
    // The pairs as callers read the page: in the order they were made, each the descriptor URLs
    // of its two photos, the one chosen first first; and the paired tiles' indices into sources,
    // two a pair in the same order, the one chosen second first. Made anew after every change.
    property var stitched: []
    property var hidden: []

    function refreshSources() {
        sources = cvimage.photos.sources()
    }

    function refreshPairs() {
        var row = {}
        for (var i = 0; i < sources.length; ++i)
            row[cvimage.photoIndexOf(sources[i])] = i
        var pairs = []
        var tiles = []
        var photos = cvimage.pairs.pairedPhotos
        for (var k = 0; k + 1 < photos.length; k += 2) {
            var first = row[photos[k]]
            var second = row[photos[k + 1]]
            pairs.push([sources[first], sources[second]])
            tiles.push(second, first)
        }
        hidden = tiles
        stitched = pairs
    }

    onSourcesChanged: Qt.callLater(refreshPairs)
    Component.onCompleted: refreshPairs()

    Connections {
        target: cvimage.pairs
        function onCountChanged() {
            Qt.callLater(stitchPage.refreshPairs)
        }
    }

    Connections {
        target: cvimage.photos
        function onDataChanged() {
            Qt.callLater(stitchPage.refreshSources)
        }
        function onCountChanged() {
            Qt.callLater(stitchPage.refreshSources)
        }
    }

    function stitchUrl(left, right) {
        return cvimage.pairUrl(left, right, exportOptions.pairStyle())
    }

    // The user wants to pick the export folder again.
    signal folderWanted

    // Writes every unpaired image, then every pair, into folder (a folder URL).
    function exportFiles(folder) {
        exportFlow.exportFiles(folder)
    }

    ExportFlow {
        id: exportFlow
        page: stitchPage
        keepOpen: exportOptions.keepOpen
        onFolderWanted: stitchPage.folderWanted()
    }

    // The place of a photo (by store index) among the paired ones, -1 for a single one: pair
    // place / 2, left when even.
    function pairedPlace(photo) {
        return cvimage.pairs.pairedPhotos.indexOf(photo)
    }

    function choose(photo) {
        if (pairedPlace(photo) >= 0)
            return
        if (current === -1) {
            current = photo
        } else if (current === photo) {
            current = -1
        } else {
            cvimage.pairs.add(current, photo)
            current = -1
        }
    }

    // Unpairs at once: Undo brings the pair back.
    function removePair(k) {
        cvimage.pairs.remove(k)
    }

    // Pairs every unpaired photo with the next one, in the order of the tiles.
    function pairInOrder() {
        var photos = []
        for (var i = 0; i < sources.length; ++i)
            photos.push(cvimage.photoIndexOf(sources[i]))
        current = -1
        cvimage.pairs.pairInOrder(photos)
    }

    spacing: 10
    clip: true

    ScrollView {
        id: imageView
        width: stitchPage.width / 2 - 10
        height: stitchPage.height
        padding: 10
        ScrollBar.vertical: ScrollBar {
            parent: imageView
            anchors.right: imageView.right
            height: imageView.height
        }

        TileGrid {
            id: grid
            objectName: "grid"
            spacing: 10
            columns: ImageItemScript.gridColumns(imageView.width, 0)
            scrollView: imageView
            name: qsTr("Photos to pair")
            count: repeater.count
            onToggled: repeater.itemAt(index).choose()
            onOpened: repeater.itemAt(index).choose()

            Repeater {
                id: repeater
                objectName: "repeater"
                model: cvimage.photos

                // A paired photo keeps its place, marked with its pair: the tiles never jump.
                Rectangle {
                    id: tile
                    readonly property int place: stitchPage.pairedPlace(model.photoIndex)
                    readonly property bool paired: place >= 0
                    readonly property string pairText: (place % 2 === 0 ? qsTr("Pair %1, left")
                                                                        : qsTr("Pair %1, right"))
                                                       .arg(Math.floor(place / 2) + 1)

                    function choose() {
                        stitchPage.choose(model.photoIndex)
                    }

                    Accessible.role: Accessible.Button
                    Accessible.name: model.fileName
                    Accessible.description: paired ? pairText
                                                   : model.photoIndex === stitchPage.current
                                                     ? qsTr("Chosen: choose another to pair them")
                                                     : qsTr("Not paired")
                    Accessible.focusable: true
                    Accessible.focused: ring.visible
                    Accessible.onPressAction: choose()

                    width: 208
                    height: 208
                    color: "black"
                    border.width: 4
                    border.color: model.photoIndex === current ? Universal.accent : "#333"

                    Image {
                        anchors.centerIn: parent
                        width: 200
                        height: 200
                        sourceSize.width: 200
                        sourceSize.height: 200
                        fillMode: Image.PreserveAspectFit
                        asynchronous: true
                        opacity: parent.paired ? 0.35 : 1
                        // Off the screen the previews give their memory back.
                        source: stitchPage.visible ? model.source : ""
                    }

                    Rectangle {
                        objectName: "pairMark"
                        visible: parent.paired
                        anchors.centerIn: parent
                        width: pairLabel.implicitWidth + 20
                        height: 36
                        radius: 18
                        color: Universal.accent

                        Text {
                            id: pairLabel
                            anchors.centerIn: parent
                            text: tile.pairText
                            color: "white"
                            font.pixelSize: 16
                        }
                    }

                    NameStrip {
                        text: model.fileName
                    }

                    MouseArea {
                        id: tileArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onPressed: {
                            grid.current = index
                            grid.forceActiveFocus()
                        }
                        onClicked: tile.choose()
                    }

                    Rectangle {
                        id: ring
                        anchors.fill: parent
                        anchors.margins: -3
                        color: "transparent"
                        border.width: 2
                        border.color: Universal.foreground
                        radius: 2
                        visible: grid.activeFocus && grid.current === index
                    }

                    ToolTip.visible: tileArea.containsMouse
                    ToolTip.delay: 600
                    // A tile whose row is being taken out has no name left.
                    ToolTip.text: paired
                                  ? qsTr("%1: paired; click its pair to unpair it").arg(model.fileName)
                                  : model.fileName || ""
                }
            }
        }
    }

    Rectangle {
        width: 2
        height: stitchPage.height
        color: "#333"
    }

    ScrollView {
        id: stitchedView
        width: stitchPage.width / 2 - 10
        height: stitchPage.height
        padding: 10
        clip: true
        ScrollBar.vertical: ScrollBar {
            parent: stitchedView
            anchors.right: stitchedView.right
            height: stitchedView.height
        }

        Column {
            width: parent.width
            spacing: 10

            ExportOptions {
                id: exportOptions
            }

            Button {
                objectName: "pairInOrder"
                text: qsTr("Pair in Order")
                enabled: cvimage.pairs.pairedPhotos.length + 1 < cvimage.photos.count
                onClicked: stitchPage.pairInOrder()
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Pair the unpaired photos one after another: 1 with 2, 3 with 4, ...")
            }

            Text {
                objectName: "hint"
                width: parent.width
                wrapMode: Text.Wrap
                text: qsTr("Click two photos to pair them. Click a pair to unpair it; Undo brings it back.")
                color: "#777"
                font.pixelSize: 18
                visible: cvimage.pairs.count === 0
            }

            Repeater {
                objectName: "pairRepeater"
                model: cvimage.pairs

                Rectangle {
                    width: 408
                    height: 208
                    color: "black"
                    border.width: 4
                    border.color: activeFocus ? Universal.foreground : "#333"
                    // Tab reaches every pair; Space or Enter unpairs it.
                    activeFocusOnTab: true
                    Keys.onSpacePressed: stitchPage.removePair(index)
                    Keys.onReturnPressed: stitchPage.removePair(index)
                    Keys.onEnterPressed: stitchPage.removePair(index)
                    Accessible.role: Accessible.Button
                    Accessible.name: model.names
                    Accessible.description: qsTr("Press to unpair them (Ctrl+Z pairs them again)")
                    Accessible.onPressAction: stitchPage.removePair(index)

                    Image {
                        anchors.centerIn: parent
                        width: 400
                        height: 200
                        sourceSize.width: 400
                        sourceSize.height: 200
                        fillMode: Image.PreserveAspectFit
                        asynchronous: true
                        source: stitchPage.stitchUrl(model.leftSource, model.rightSource)

                        MouseArea {
                            id: pairArea
                            anchors.fill: parent
                            hoverEnabled: true
                            onClicked: stitchPage.removePair(index)
                        }
                    }

                    NameStrip {
                        text: model.names
                    }

                    ToolTip.visible: pairArea.containsMouse
                    ToolTip.delay: 600
                    ToolTip.text: qsTr("Click to unpair %1 (Ctrl+Z pairs them again)").arg(model.names)
                }
            }
        }
    }
}
