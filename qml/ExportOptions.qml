import QtQuick 2.2
import QtQuick.Controls 2.2
import QtQuick.Controls.Universal 2.2
import Qt.labs.settings 1.0

// The export's choices: names, format, pair layout and frame, colours, metadata. They are the
// session's export settings, saved with it; the last ones chosen are what a new session starts
// with.
Column {
    id: options

    // Stay on the page after the files are written, to export again.
    readonly property alias keepOpen: keepOpenBox.checked

    spacing: 10

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

    // Names, format, colours, metadata and pair layout as chosen above the pairs: the session's
    // export settings, saved with it.
    readonly property var chosenExport: {
        var chosen = pairStyle()
        chosen.names = namesBox.currentIndex === 1 ? "original" : "index"
        chosen.format = ["png", "jpg", "webp"][formatBox.currentIndex]
        chosen.quality = qualityBox.value
        chosen.colour = colourBox.currentIndex === 1 ? "srgb" : "keep"
        chosen.metadata = ["keep", "noLocation", "strip"][metadataBox.currentIndex]
        return chosen
    }
    property bool applyingExport: false
    onChosenExportChanged: {
        if (!applyingExport)
            cvimage.exportSettings = chosenExport
    }

    // A session opened brings its own settings into the choices.
    function applyExportSettings(settings) {
        // A session saved without them takes the choices shown.
        if (settings.format === undefined) {
            cvimage.exportSettings = chosenExport
            return
        }
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
            if (!options.applyingExport)
                options.applyExportSettings(cvimage.exportSettings)
        }
    }

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
