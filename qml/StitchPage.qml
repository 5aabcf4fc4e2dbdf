import QtQuick 2.2
import QtQuick.Controls 2.2
import QtQuick.Layouts 1.3
import QtQuick.Controls.Universal 2.2
import QtQuick.Dialogs 1.2
import Qt.labs.settings 1.0
import "./ImageItem.js" as ImageItemScript

Row {
    id: stitchPage

    // The descriptor URLs of all images, as the edit page left them.
    property var sources: []
    // Index into sources of the tile chosen as the first of a pair, -1 while none is.
    property int current: -1

    function descriptorOf(url) {
        return cvimage.descriptorOf(url)
    }

    function stitchUrl(left, right) {
        return cvimage.pairUrl(left, right, pairStyle())
    }

    // How a pair's halves share its picture, as chosen above the pairs.
    function pairStyle() {
        return {
            pairLayout: ["stretch", "proportional", "canvas"][layoutBox.currentIndex],
            gap: gapBox.value,
            background: ["#ffffff", "#000000", "#808080"][backgroundBox.currentIndex]
        }
    }

    // The store index of the photo of tile index.
    function photoOf(index) {
        return cvimage.photoIndexOf(sources[index])
    }

    function paired(index) {
        return cvimage.pairs.pairedPhotos.indexOf(photoOf(index)) >= 0
    }

    function choose(index) {
        if (current === -1) {
            current = index
        } else if (current === index) {
            current = -1
        } else {
            cvimage.pairs.add(photoOf(current), photoOf(index))
            current = -1
        }
    }

    function removePair(k) {
        cvimage.pairs.remove(k)
    }

    // Pairs every unpaired photo with the next one, in the order of the tiles.
    function pairInOrder() {
        var photos = []
        for (var i = 0; i < sources.length; ++i)
            photos.push(photoOf(i))
        current = -1
        cvimage.pairs.pairInOrder(photos)
    }

    // The folder of the export that runs or ran last, as the dialog gave it.
    property var exportTarget

    // The user wants to pick the export folder again.
    signal folderWanted

    // Writes every unpaired image, then every pair, into folder (a folder URL), in the
    // background. Only when every file was written is the folder shown and the window closed;
    // otherwise the user is told and may export again, into another folder.
    // Files of an earlier export are never replaced silently: when any name is taken, the user
    // is asked once before anything is written.
    function exportFiles(folder) {
        exportFailure.close()
        exportDone.close()
        exportTarget = folder
        var taken = cvimage.exporter.existingFiles(folder, exportSingles(), exportPairs(),
                                                   exportOptions())
        if (taken > 0) {
            overwriteQuestion.text = (taken === 1 ? "1 file already exists"
                                                  : taken + " files already exist")
                    + " in " + displayPath(folder) + "."
            overwriteQuestion.open()
            return
        }
        writeFiles()
    }

    function writeFiles() {
        cvimage.exporter.start(exportTarget, exportSingles(), exportPairs(), exportOptions())
    }

    // Names, format and pair layout as chosen above the pairs.
    function exportOptions() {
        var options = pairStyle()
        options.names = namesBox.currentIndex === 1 ? "original" : "index"
        options.format = ["png", "jpg", "webp"][formatBox.currentIndex]
        options.quality = qualityBox.value
        return options
    }

    function exportSingles() {
        var singles = []
        for (var i = 0; i < sources.length; ++i) {
            if (!paired(i))
                singles.push(descriptorOf(sources[i]))
        }
        return singles
    }

    function exportPairs() {
        return cvimage.pairs.descriptors()
    }

    function exportFinished(written, total, cancelled) {
        var files = function (n) { return n + (n === 1 ? " file" : " files") }
        if (cancelled) {
            exportFailure.text = "Export cancelled: " + written + " of " + files(total)
                    + " written into " + displayPath(exportTarget) + "."
            exportFailure.open()
            return
        }
        if (written < total) {
            exportFailure.text = (total - written) + " of " + files(total)
                    + " could not be written into " + displayPath(exportTarget)
                    + ". Press Export to choose another folder."
            exportFailure.open()
            return
        }
        if (keepOpenBox.checked) {
            exportDone.text = files(written) + " written into " + displayPath(exportTarget) + "."
            exportDone.open()
            return
        }
        Qt.openUrlExternally(exportTarget)
        applicationWindow.close()
    }

    Connections {
        target: cvimage.exporter
        function onFinished(written, total, cancelled) {
            stitchPage.exportFinished(written, total, cancelled)
        }
    }

    // The folder as its owner knows it: a local path, decoded from the folder URL.
    function displayPath(folder) {
        var path = decodeURIComponent(folder.toString().replace(/^file:\/\//, ""))
        return /^\/[A-Za-z]:/.test(path) ? path.substring(1) : path
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

        Grid {
            objectName: "grid"
            spacing: 10
            columns: ImageItemScript.gridColumns(imageView.width, 0)

            Repeater {
                id: repeater
                objectName: "repeater"
                model: sources

                Rectangle {
                    width: 208
                    height: 208
                    color: "black"
                    border.width: 4
                    border.color: index === current ? Universal.accent : "#333"
                    visible: !stitchPage.paired(index)

                    Image {
                        anchors.centerIn: parent
                        width: 200
                        height: 200
                        sourceSize.width: 200
                        sourceSize.height: 200
                        fillMode: Image.PreserveAspectFit
                        asynchronous: true
                        source: modelData
                    }

                    MouseArea {
                        anchors.fill: parent
                        onClicked: stitchPage.choose(index)
                    }
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

            Row {
                spacing: 10

                ComboBox {
                    id: namesBox
                    objectName: "names"
                    width: 200
                    model: ["Numbers", "Original names"]
                    ToolTip.visible: hovered
                    ToolTip.text: "Name the files by number (3.png, 0_3.png) or after the originals"
                }

                ComboBox {
                    id: formatBox
                    objectName: "format"
                    width: 110
                    model: ["PNG", "JPEG", "WebP"]
                    ToolTip.visible: hovered
                    ToolTip.text: "PNG keeps every pixel; JPEG and WebP make smaller files"
                }

                Text {
                    text: "Quality"
                    visible: qualityBox.visible
                    color: Universal.foreground
                    font.pixelSize: 16
                    anchors.verticalCenter: qualityBox.verticalCenter
                }

                SpinBox {
                    id: qualityBox
                    objectName: "quality"
                    from: 1
                    to: 100
                    value: 90
                    editable: true
                    visible: formatBox.currentIndex > 0
                    ToolTip.visible: hovered
                    ToolTip.text: "Quality of JPEG and WebP files"
                    Accessible.name: "Quality"
                }
            }

            Row {
                spacing: 10

                ComboBox {
                    id: layoutBox
                    objectName: "pairLayout"
                    width: 300
                    model: ["Stretch to the left's height", "Same height, proportions kept",
                        "Fit on a canvas"]
                    ToolTip.visible: hovered
                    ToolTip.text: "How the two photos of a pair share one picture"
                }

                SpinBox {
                    id: gapBox
                    objectName: "gap"
                    from: 0
                    to: 500
                    value: 20
                    editable: true
                    visible: layoutBox.currentIndex === 2
                    ToolTip.visible: hovered
                    ToolTip.text: "Pixels around and between the photos on the canvas"
                }

                ComboBox {
                    id: backgroundBox
                    objectName: "background"
                    width: 110
                    model: ["White", "Black", "Grey"]
                    visible: layoutBox.currentIndex === 2
                    ToolTip.visible: hovered
                    ToolTip.text: "The canvas's colour"
                }
            }

            CheckBox {
                id: keepOpenBox
                objectName: "keepOpen"
                text: "Keep the session open after export"
                ToolTip.visible: hovered
                ToolTip.text: "Stay here after the files are written, to export again"
            }

            Button {
                objectName: "pairInOrder"
                text: "Pair in Order"
                enabled: cvimage.pairs.pairedPhotos.length + 1 < stitchPage.sources.length
                onClicked: stitchPage.pairInOrder()
                ToolTip.visible: hovered
                ToolTip.text: "Pair the unpaired photos one after another: 1 with 2, 3 with 4, ..."
            }

            Text {
                objectName: "hint"
                text: "Click two photos to pair them. Click a pair to undo it."
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
                    border.color: "#333"

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
                            anchors.fill: parent
                            onClicked: stitchPage.removePair(index)
                        }
                    }
                }
            }
        }
    }

    PagePopup {
        id: overwriteQuestion
        objectName: "overwriteQuestion"

        property alias text: question.text

        parent: stitchPage
        modal: true
        closePolicy: Popup.CloseOnEscape

        RowLayout {
            width: parent.width
            spacing: 16

            Text {
                id: question
                wrapMode: Text.Wrap
                color: Universal.foreground
                font.pixelSize: 20
                Layout.fillWidth: true
            }

            Button {
                objectName: "replace"
                text: "Replace"
                onClicked: {
                    overwriteQuestion.close()
                    stitchPage.writeFiles()
                }
                ToolTip.visible: hovered
                ToolTip.text: "Write every file, replacing those already there"
            }

            Button {
                objectName: "chooseAnother"
                text: "Choose Another Folder"
                onClicked: {
                    overwriteQuestion.close()
                    stitchPage.folderWanted()
                }
                ToolTip.visible: hovered
                ToolTip.text: "Write nothing and pick another folder (Escape closes)"
            }
        }
    }

    // While files are written the pairs cannot change; Cancel stops after the files in flight.
    PagePopup {
        id: exportProgress
        objectName: "exportProgress"

        parent: stitchPage
        modal: true
        closePolicy: Popup.NoAutoClose
        visible: cvimage.exporter.running

        ColumnLayout {
            width: parent.width
            spacing: 12

            RowLayout {
                spacing: 16
                Layout.fillWidth: true

                Text {
                    text: "Exporting " + Math.min(cvimage.exporter.done + 1, cvimage.exporter.total)
                          + " of " + cvimage.exporter.total
                    color: Universal.foreground
                    font.pixelSize: 20
                    Layout.fillWidth: true
                }

                Button {
                    objectName: "cancelExport"
                    text: "Cancel"
                    onClicked: cvimage.exporter.cancel()
                    ToolTip.visible: hovered
                    ToolTip.text: "Stop after the files being written; those stay whole"
                }
            }

            ProgressBar {
                value: cvimage.exporter.total > 0 ? cvimage.exporter.done / cvimage.exporter.total : 0
                Layout.fillWidth: true
            }
        }
    }

    // Stays until the user dismisses it or exports again: the click that chose the folder must
    // not close it.
    PagePopup {
        id: exportFailure
        objectName: "exportFailure"

        property alias text: message.text

        parent: stitchPage
        closePolicy: Popup.CloseOnEscape

        RowLayout {
            width: parent.width
            spacing: 16

            Text {
                id: message
                wrapMode: Text.Wrap
                color: Universal.foreground
                font.pixelSize: 20
                Layout.fillWidth: true
            }

            Button {
                text: "OK"
                onClicked: exportFailure.close()
                ToolTip.visible: hovered
                ToolTip.text: "Close this message (Escape)"
            }
        }
    }

    // The files are written and the session stays: the folder can be opened from here.
    PagePopup {
        id: exportDone
        objectName: "exportDone"

        property alias text: doneMessage.text

        parent: stitchPage
        closePolicy: Popup.CloseOnEscape

        RowLayout {
            width: parent.width
            spacing: 16

            Text {
                id: doneMessage
                wrapMode: Text.Wrap
                color: Universal.foreground
                font.pixelSize: 20
                Layout.fillWidth: true
            }

            Button {
                objectName: "openFolder"
                text: "Open Folder"
                onClicked: {
                    exportDone.close()
                    Qt.openUrlExternally(stitchPage.exportTarget)
                }
                ToolTip.visible: hovered
                ToolTip.text: "Show the written files"
            }

            Button {
                text: "OK"
                onClicked: exportDone.close()
                ToolTip.visible: hovered
                ToolTip.text: "Close this message (Escape)"
            }
        }
    }

    Settings {
        category: "export"
        property alias names: namesBox.currentIndex
        property alias format: formatBox.currentIndex
        property alias quality: qualityBox.value
        property alias pairLayout: layoutBox.currentIndex
        property alias gap: gapBox.value
        property alias background: backgroundBox.currentIndex
        property alias keepOpen: keepOpenBox.checked
    }
}
