import QtQuick 2.2
import QtQuick.Controls 2.2
import QtQuick.Layouts 1.3
import QtQuick.Controls.Universal 2.2
import QtQuick.Dialogs 1.2
import Qt.labs.settings 1.0
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

    function descriptorOf(url) {
        return cvimage.descriptorOf(url)
    }

    function stitchUrl(left, right) {
        return cvimage.pairUrl(left, right, pairStyle())
    }

    // How a pair's halves share its picture, as chosen above the pairs.
    function pairStyle() {
        var frame = pairFrameBox.currentIndex > 0 ? cvimage.framePresets[pairFrameBox.currentIndex - 1]
                                                  : { aspect: "", size: "" }
        return {
            pairLayout: ["stretch", "proportional", "canvas"][layoutBox.currentIndex],
            gap: gapBox.value,
            background: ["#ffffff", "#000000", "#808080"][backgroundBox.currentIndex],
            aspect: frame.aspect,
            size: frame.size
        }
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
        var taken = cvimage.existingExportFiles(folder)
        if (taken > 0) {
            overwriteQuestion.lead = qsTr("%n file(s) already exist in", "", taken)
            overwriteQuestion.path = displayPath(folder)
            overwriteQuestion.open()
            return
        }
        writeFiles()
    }

    function writeFiles() {
        cvimage.startExport(exportTarget)
    }

    // Names, format, colours, metadata and pair layout as chosen above the pairs: the session's
    // export settings, saved with it.
    readonly property var chosenExport: {
        var options = pairStyle()
        options.names = namesBox.currentIndex === 1 ? "original" : "index"
        options.format = ["png", "jpg", "webp"][formatBox.currentIndex]
        options.quality = qualityBox.value
        options.colour = colourBox.currentIndex === 1 ? "srgb" : "keep"
        options.metadata = ["keep", "noLocation", "strip"][metadataBox.currentIndex]
        return options
    }
    property bool applyingExport: false
    onChosenExportChanged: {
        if (!applyingExport)
            cvimage.exportSettings = chosenExport
    }

    // A session opened brings its own settings into the choices.
    function applyExportSettings(settings) {
        if (settings.format === undefined)
            return
        applyingExport = true
        namesBox.currentIndex = settings.names === "original" ? 1 : 0
        formatBox.currentIndex = Math.max(0, ["png", "jpg", "webp"].indexOf(settings.format))
        qualityBox.value = settings.quality
        colourBox.currentIndex = settings.colour === "srgb" ? 1 : 0
        metadataBox.currentIndex = Math.max(0, ["keep", "noLocation", "strip"].indexOf(settings.metadata))
        layoutBox.currentIndex = Math.max(0, ["stretch", "proportional", "canvas"].indexOf(settings.pairLayout))
        gapBox.value = settings.gap
        backgroundBox.currentIndex = Math.max(0, ["#ffffff", "#000000", "#808080"].indexOf(settings.background))
        var frame = 0
        for (var i = 0; i < cvimage.framePresets.length; ++i) {
            var preset = cvimage.framePresets[i]
            if (preset.aspect === settings.aspect && preset.size === settings.size)
                frame = i + 1
        }
        pairFrameBox.currentIndex = frame
        applyingExport = false
        cvimage.exportSettings = chosenExport
    }

    Connections {
        target: cvimage
        function onExportSettingsChanged() {
            if (!stitchPage.applyingExport)
                stitchPage.applyExportSettings(cvimage.exportSettings)
        }
    }

    function exportFinished(written, total, cancelled) {
        if (cancelled) {
            exportFailure.text = qsTr("Export cancelled: %1 of %n file(s) written into %2.", "",
                                      total).arg(written).arg(displayPath(exportTarget))
            exportFailure.open()
            return
        }
        if (written < total) {
            exportFailure.text = qsTr("%1 of %n file(s) could not be written into %2. Press Export "
                                      + "to choose another folder.", "", total)
                    .arg(total - written).arg(displayPath(exportTarget))
            exportFailure.open()
            return
        }
        if (keepOpenBox.checked) {
            exportDone.text = qsTr("%n file(s) written into %1.", "", written)
                    .arg(displayPath(exportTarget))
            exportDone.open()
            return
        }
        Qt.openUrlExternally(exportTarget)
        applicationWindow.close()
    }

    Connections {
        target: cvimage
        function onExportFinished(written, total, cancelled) {
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

            Row {
                spacing: 10

                ComboBox {
                    id: namesBox
                    objectName: "names"
                    Accessible.name: qsTr("File names")
                    width: 200
                    model: [qsTr("Numbers"), qsTr("Original names")]
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("Name the files by number (3.png, 0_3.png) or after the originals")
                }

                ComboBox {
                    id: formatBox
                    objectName: "format"
                    Accessible.name: qsTr("File format")
                    width: 110
                    model: ["PNG", "JPEG", "WebP"]
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("PNG keeps every pixel; JPEG and WebP make smaller files")
                }

                Text {
                    text: qsTr("Quality")
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
                    ToolTip.text: qsTr("Quality of JPEG and WebP files")
                    Accessible.name: qsTr("Quality")
                }
            }

            Row {
                spacing: 10

                ComboBox {
                    id: layoutBox
                    objectName: "pairLayout"
                    Accessible.name: qsTr("Pair layout")
                    width: 300
                    model: [qsTr("Stretch to the left's height"), qsTr("Same height, proportions kept"),
                        qsTr("Fit on a canvas")]
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("How the two photos of a pair share one picture")
                }

                SpinBox {
                    id: gapBox
                    objectName: "gap"
                    Accessible.name: qsTr("Gap")
                    from: 0
                    to: 500
                    value: 20
                    editable: true
                    visible: layoutBox.currentIndex === 2
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("Pixels around and between the photos on the canvas")
                }

                ComboBox {
                    id: backgroundBox
                    objectName: "background"
                    Accessible.name: qsTr("Canvas colour")
                    width: 110
                    model: [qsTr("White"), qsTr("Black"), qsTr("Grey")]
                    visible: layoutBox.currentIndex === 2 || pairFrameBox.currentIndex > 0
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("The colour of the canvas and of the frame")
                }

                ComboBox {
                    id: pairFrameBox
                    objectName: "pairFrame"
                    Accessible.name: qsTr("Pair frame")
                    width: 260
                    model: [qsTr("No frame")].concat(cvimage.framePresets.map(function (preset) {
                        return preset.name
                    }))
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("Each pair in the middle of a frame of this shape and size")
                }
            }

            Row {
                spacing: 10

                ComboBox {
                    id: colourBox
                    objectName: "colour"
                    Accessible.name: qsTr("Colours")
                    width: 300
                    model: [qsTr("Colours: keep the photo's profile"), qsTr("Colours: convert to sRGB")]
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("Keep each photo's colour profile, or convert to sRGB for the web")
                }

                ComboBox {
                    id: metadataBox
                    objectName: "metadata"
                    Accessible.name: qsTr("Metadata")
                    width: 300
                    model: [qsTr("Metadata: keep all"), qsTr("Metadata: remove the location"),
                        qsTr("Metadata: remove all")]
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("What of the camera's EXIF, IPTC and XMP the files keep")
                }
            }

            CheckBox {
                id: keepOpenBox
                objectName: "keepOpen"
                text: qsTr("Keep the session open after export")
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Stay here after the files are written, to export again")
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

    PagePopup {
        id: overwriteQuestion
        objectName: "overwriteQuestion"

        // The message, whose folder shows on a line of its own, shortened in its middle if it
        // must be, never broken.
        property string lead
        property string path
        readonly property string text: lead + " " + path + "."

        parent: stitchPage
        modal: true
        closePolicy: Popup.CloseOnEscape

        RowLayout {
            width: parent.width
            spacing: 16

            ColumnLayout {
                Layout.fillWidth: true

                Text {
                    text: overwriteQuestion.lead
                    color: Universal.foreground
                    font.pixelSize: 20
                }

                Text {
                    id: questionPath
                    objectName: "questionPath"
                    text: overwriteQuestion.path + "."
                    elide: Text.ElideMiddle
                    color: Universal.foreground
                    font.pixelSize: 20
                    Layout.fillWidth: true

                    MouseArea {
                        id: pathArea
                        anchors.fill: parent
                        hoverEnabled: true
                    }

                    ToolTip.visible: pathArea.containsMouse && questionPath.truncated
                    ToolTip.text: overwriteQuestion.path
                }
            }

            Button {
                objectName: "replace"
                text: qsTr("Replace")
                onClicked: {
                    overwriteQuestion.close()
                    stitchPage.writeFiles()
                }
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Write every file, replacing those already there")
            }

            Button {
                objectName: "chooseAnother"
                text: qsTr("Choose Another Folder")
                onClicked: {
                    overwriteQuestion.close()
                    stitchPage.folderWanted()
                }
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Write nothing and pick another folder (Escape closes)")
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
                    text: qsTr("Exporting %1 of %2")
                          .arg(Math.min(cvimage.exporter.done + 1, cvimage.exporter.total))
                          .arg(cvimage.exporter.total)
                    color: Universal.foreground
                    font.pixelSize: 20
                    Layout.fillWidth: true
                }

                Button {
                    objectName: "cancelExport"
                    text: qsTr("Cancel")
                    onClicked: cvimage.exporter.cancel()
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("Stop after the files being written; those stay whole")
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
                text: qsTr("OK")
                onClicked: exportFailure.close()
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Close this message (Escape)")
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
                text: qsTr("Open Folder")
                onClicked: {
                    exportDone.close()
                    Qt.openUrlExternally(stitchPage.exportTarget)
                }
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Show the written files")
            }

            Button {
                text: qsTr("OK")
                onClicked: exportDone.close()
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Close this message (Escape)")
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
        property alias pairFrame: pairFrameBox.currentIndex
        property alias keepOpen: keepOpenBox.checked
        property alias colour: colourBox.currentIndex
        property alias metadata: metadataBox.currentIndex
    }
}
