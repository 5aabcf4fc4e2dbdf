import QtQuick 2.2
import QtQuick.Layouts 1.3
import QtQuick.Window 2.2
import QtQuick.Controls 2.4
import QtQuick.Controls.Universal 2.2
import Qt.labs.settings 1.0
import "./ImageItem.js" as ImageItemScript

RowLayout {
    id: editPage

    // Indices of the selected tiles, each once; changed in place, then selectedChanged() is
    // emitted for what binds to it.
    property var selected: []

    function getSources() {
        return cvimage.photos.sources()
    }

    // The large crop view is open.
    readonly property bool editorOpen: cropEditor.visible

    function selectAll() {
        selected.length = 0
        for (var i = 0; i < repeater.count; ++i) {
            // A tile whose flag changes adds itself; one already selected does not.
            repeater.itemAt(i).selected = true
            if (selected.indexOf(i) < 0)
                selected.push(i)
        }
        selectedChanged()
    }

    function deselectAll() {
        selected.length = 0
        for (var i = 0; i < repeater.count; ++i)
            repeater.itemAt(i).selected = false
        selectedChanged()
    }

    // Takes the selected photos out of the session.
    function removeSelected() {
        var rows = selected.slice()
        selected.length = 0
        selectedChanged()
        cvimage.photos.remove(rows)
    }

    // Gives every selected photo the options named in options, unless the controls are only
    // being shown the selection's values.
    function setSelected(options) {
        if (!showing)
            cvimage.photos.setOptions(selected, options)
    }

    function rotateSelected(quarters) {
        if (editorOpen)
            cropEditor.rotate(quarters)
        else
            cvimage.photos.rotate(selected, quarters)
    }

    // The selection's options as the controls show them: a key on which the selected photos
    // differ is missing, and its control shows a mixed state. With nothing selected, what new
    // photos start with.
    property var shown: cvimage.photos.defaults
    // Set while the controls are given the selection's values: they apply nothing meanwhile.
    property bool showing: false
    readonly property var defaultKeys: ["padding", "maxWidth", "paddingPercent", "originalSize",
        "noEnlarge", "detect", "aspect", "fill", "size", "frameColour"]
    readonly property var frameKeys: ["aspect", "fill", "size", "frameColour"]

    // The frames to choose from: none, everyone's, then the user's own.
    readonly property var presets: [{ name: qsTr("No frame"), aspect: "", fill: 0, size: "",
                                      frameColour: "#ffffff" }]
                                   .concat(cvimage.framePresets)
                                   .concat(JSON.parse(remembered.userPresets))
    // The preset the shown frame is, -1 for one of its own, -2 when the selection's differ.
    function shownPreset() {
        for (var k = 0; k < frameKeys.length; ++k) {
            if (shown[frameKeys[k]] === undefined)
                return -2
        }
        for (var i = 0; i < presets.length; ++i) {
            var same = true
            for (var j = 0; j < frameKeys.length; ++j)
                same = same && presets[i][frameKeys[j]] === shown[frameKeys[j]]
            if (same)
                return i
        }
        return -1
    }
    function applyPreset(index) {
        var frame = {}
        for (var j = 0; j < frameKeys.length; ++j)
            frame[frameKeys[j]] = presets[index][frameKeys[j]]
        setSelected(frame)
    }
    // The shown frame kept under a name of the user's, replacing one of that name.
    function savePreset(name) {
        var own = JSON.parse(remembered.userPresets).filter(function (p) { return p.name !== name })
        var preset = { name: name }
        for (var j = 0; j < frameKeys.length; ++j)
            preset[frameKeys[j]] = shown[frameKeys[j]]
        own.push(preset)
        remembered.userPresets = JSON.stringify(own)
    }

    function showSelection() {
        shown = selected.length > 0 ? cvimage.photos.commonOptions(selected)
                                    : cvimage.photos.defaults
        showing = true
        if (shown.padding !== undefined)
            padding.value = shown.padding
        if (shown.maxWidth !== undefined)
            maximumwidth.value = shown.maxWidth
        paddingPercent.checkState = stateOf(shown.paddingPercent)
        originalSize.checkState = stateOf(shown.originalSize)
        noEnlarge.checkState = stateOf(shown.noEnlarge)
        // Mixed: neither detector is checked.
        detectEdges.checked = shown.detect === "edges"
        detectObject.checked = shown.detect === "object"
        framePreset.currentIndex = Math.max(shownPreset(), -1)
        aspectBox.editText = shown.aspect === undefined ? qsTr("mixed")
                                                        : shown.aspect || qsTr("Free")
        objectFills.checkState = shown.fill === undefined ? Qt.PartiallyChecked
                                                          : shown.fill > 0 ? Qt.Checked
                                                                           : Qt.Unchecked
        if (shown.fill > 0)
            fillShare.value = shown.fill
        exactSize.checkState = shown.size === undefined ? Qt.PartiallyChecked
                                                        : shown.size ? Qt.Checked : Qt.Unchecked
        if (shown.size)
            sizeText.text = shown.size
        frameColour.text = shown.frameColour === undefined ? "" : shown.frameColour
        showing = false
    }

    function stateOf(flag) {
        return flag === undefined ? Qt.PartiallyChecked : flag ? Qt.Checked : Qt.Unchecked
    }

    // What the selection shares becomes what new photos, and new sessions, start with.
    function setAsDefault() {
        showSelection()
        var defaults = cvimage.photos.defaults
        for (var i = 0; i < defaultKeys.length; ++i) {
            var key = defaultKeys[i]
            if (shown[key] !== undefined)
                defaults[key] = shown[key]
        }
        cvimage.photos.defaults = defaults
        for (var j = 0; j < defaultKeys.length; ++j)
            remembered[defaultKeys[j]] = defaults[defaultKeys[j]]
    }

    // Rows inserted or removed (an undone removal, say) renumber the tiles: the selection is
    // read again from them.
    function syncSelection() {
        selected.length = 0
        for (var i = 0; i < repeater.count; ++i) {
            if (repeater.itemAt(i) && repeater.itemAt(i).selected)
                selected.push(i)
        }
        selectedChanged()
    }

    onSelectedChanged: Qt.callLater(showSelection)
    // A preset saved or changed may be the frame shown.
    onPresetsChanged: Qt.callLater(showSelection)

    Connections {
        target: cvimage.photos
        function onDataChanged() {
            Qt.callLater(editPage.showSelection)
        }
        function onCountChanged() {
            editPage.syncSelection()
        }
        function onDefaultsChanged() {
            Qt.callLater(editPage.showSelection)
        }
    }

    Rectangle {
        color: "#333"
        Layout.preferredWidth: 300
        Layout.minimumWidth: 300
        Layout.maximumWidth: 300
        Layout.fillHeight: true

        // On a low window the settings scroll, and follow the keyboard's focus.
        Flickable {
            id: settingsView
            anchors.fill: parent
            contentHeight: settingsColumn.height
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}

            Connections {
                target: editPage.Window.window
                function onActiveFocusItemChanged() {
                    var item = editPage.Window.activeFocusItem
                    for (var ancestor = item; ancestor; ancestor = ancestor.parent) {
                        if (ancestor === settingsColumn) {
                            var top = item.mapToItem(settingsColumn, 0, 0).y
                            var bottom = top + item.height
                            if (top < settingsView.contentY)
                                settingsView.contentY = top
                            else if (bottom > settingsView.contentY + settingsView.height)
                                settingsView.contentY = bottom - settingsView.height
                            return
                        }
                    }
                }
            }

            Column {
                id: settingsColumn
                width: settingsView.width

                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("Settings")
                    color: Universal.foreground
                    font.pixelSize: 32
                }

                Text {
                    objectName: "paddingLabel"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: editPage.shown.padding === undefined
                          ? qsTr("Padding: mixed")
                          : paddingPercent.checked
                            ? qsTr("Padding: %1 % of the Object").arg(Math.round(padding.value))
                            : qsTr("Padding: %1 Pixels").arg(Math.round(padding.value))
                    color: Universal.foreground
                    font.pixelSize: 20
                }

                Slider {
                    id: padding
                    objectName: "padding"
                    Accessible.name: qsTr("Padding")
                    width: parent.width
                    from: 0
                    to: paddingPercent.checked ? 100 : 500
                    value: 50
                    enabled: editPage.selected.length > 0
                    stepSize: paddingPercent.checked ? 1 : 10
                    snapMode: Slider.SnapAlways
                    onValueChanged: editPage.setSelected({ padding: Math.round(padding.value) })
                }

                CheckBox {
                    id: paddingPercent
                    objectName: "paddingPercent"
                    // Mixed when the selection differs; a click sets it for all of them.
                    tristate: checkState === Qt.PartiallyChecked
                    nextCheckState: function () { return checkState === Qt.Checked ? Qt.Unchecked : Qt.Checked }
                    text: qsTr("Padding in percent")
                    enabled: editPage.selected.length > 0
                    onClicked: editPage.setSelected({ paddingPercent: checked,
                                                      padding: Math.round(padding.value) })
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("The margin as a share of the object's longer side")
                }

                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: editPage.shown.maxWidth === undefined
                          ? qsTr("Maximum Width: mixed")
                          : qsTr("Maximum Width: %1 Pixels").arg(Math.round(maximumwidth.value))
                    color: Universal.foreground
                    font.pixelSize: 20
                }

                ColumnLayout {
                    width: parent.width
                    spacing: 2

                    SpinBox {
                        id: maximumwidth
                        objectName: "maximumwidth"
                        Accessible.name: qsTr("Maximum Width")
                        value: 400
                        from: 1
                        to: 20000
                        editable: true
                        enabled: editPage.selected.length > 0 && !originalSize.checked
                        Layout.fillWidth: true
                        Layout.margins: 10
                        onValueModified: editPage.setSelected({ maxWidth: maximumwidth.value })
                        // A width typed in and confirmed with Enter gives the keys back to the
                        // photos: Delete then removes them instead of editing the number.
                        Keys.onReturnPressed: editPage.forceActiveFocus()
                        Keys.onEnterPressed: editPage.forceActiveFocus()
                    }

                    CheckBox {
                        id: originalSize
                        objectName: "originalSize"
                        text: qsTr("Original size")
                        enabled: editPage.selected.length > 0
                        Layout.leftMargin: 10
                        onClicked: editPage.setSelected({ originalSize: checked })
                        ToolTip.visible: hovered
                        ToolTip.text: qsTr("Keep the cut-out at its own size, whatever the width")
                    }

                    CheckBox {
                        id: noEnlarge
                        objectName: "noEnlarge"
                        text: qsTr("Never enlarge")
                        enabled: editPage.selected.length > 0 && !originalSize.checked
                        Layout.leftMargin: 10
                        onClicked: editPage.setSelected({ noEnlarge: checked })
                        ToolTip.visible: hovered
                        ToolTip.text: qsTr("Scale a small object down to the width, never up")
                    }

                    Text {
                        Layout.alignment: Qt.AlignHCenter
                        text: editPage.shown.detect === undefined ? qsTr("Detection: mixed")
                                                                   : qsTr("Detection")
                        color: Universal.foreground
                        font.pixelSize: 20
                    }

                    RowLayout {
                        Layout.leftMargin: 10
                        spacing: 10

                        RadioButton {
                            id: detectEdges
                            objectName: "detectEdges"
                            text: qsTr("Edges")
                            enabled: editPage.selected.length > 0
                            onClicked: editPage.setSelected({ detect: "edges" })
                            ToolTip.visible: hovered
                            ToolTip.text: qsTr("The largest region of edges in the full photo: for a plain background")
                        }

                        RadioButton {
                            id: detectObject
                            objectName: "detectObject"
                            text: qsTr("Object")
                            enabled: editPage.selected.length > 0
                            onClicked: editPage.setSelected({ detect: "object" })
                            ToolTip.visible: hovered
                            ToolTip.text: qsTr("The object told from its background: for plain and busy backgrounds alike, in an instant")
                        }
                    }

                    Button {
                        objectName: "crop"
                        text: qsTr("Crop")
                        Layout.fillWidth: true
                        Layout.margins: 10
                        // Each photo keeps its own padding and sizes, as the controls show them.
                        onClicked: editPage.setSelected({ crop: true })
                        ToolTip.visible: hovered
                        ToolTip.text: qsTr("Crop the selected photos to their object (double-click a photo to fix its box)")
                    }

                    Button {
                        objectName: "reset"
                        text: qsTr("Reset")
                        Layout.fillWidth: true
                        Layout.margins: 10
                        onClicked: editPage.setSelected({ crop: false, padding: 0 })
                        ToolTip.visible: hovered
                        ToolTip.text: qsTr("Keep the selected photos whole")
                    }

                    RowLayout {
                        Layout.fillWidth: true
                        Layout.margins: 10
                        spacing: 10

                        Button {
                            objectName: "rotateLeft"
                            text: qsTr("Rotate Left")
                            enabled: editPage.selected.length > 0
                            Layout.fillWidth: true
                            onClicked: editPage.rotateSelected(-1)
                            ToolTip.visible: hovered
                            ToolTip.text: qsTr("Turn the selected photos a quarter to the left (Ctrl+L)")
                        }

                        Button {
                            objectName: "rotateRight"
                            text: qsTr("Rotate Right")
                            enabled: editPage.selected.length > 0
                            Layout.fillWidth: true
                            onClicked: editPage.rotateSelected(1)
                            ToolTip.visible: hovered
                            ToolTip.text: qsTr("Turn the selected photos a quarter to the right (Ctrl+R)")
                        }
                    }

                    Button {
                        objectName: "setDefault"
                        text: qsTr("Set as Default")
                        enabled: editPage.selected.length > 0
                        Layout.fillWidth: true
                        Layout.margins: 10
                        onClicked: editPage.setAsDefault()
                        ToolTip.visible: hovered
                        ToolTip.text: qsTr("New photos, in this session and the next, start with these padding and sizes")
                    }

                    Button {
                        objectName: "selectAll"
                        text: qsTr("Select All")
                        Layout.fillWidth: true
                        Layout.margins: 10
                        onClicked: editPage.selectAll()
                        ToolTip.visible: hovered
                        ToolTip.text: qsTr("Select every photo (Ctrl+A)")
                    }

                    Button {
                        objectName: "deselectAll"
                        text: qsTr("Deselect All")
                        Layout.fillWidth: true
                        Layout.margins: 10
                        onClicked: editPage.deselectAll()
                        ToolTip.visible: hovered
                        ToolTip.text: qsTr("Select no photo (Escape)")
                    }

                    Button {
                        objectName: "remove"
                        text: qsTr("Remove")
                        Layout.fillWidth: true
                        Layout.margins: 10
                        onClicked: editPage.removeSelected()
                        ToolTip.visible: hovered
                        ToolTip.text: qsTr("Take the selected photos out of the session (Delete)")
                    }

                    Text {
                        Layout.alignment: Qt.AlignHCenter
                        text: editPage.shownPreset() === -2 ? qsTr("Frame: mixed") : qsTr("Frame")
                        color: Universal.foreground
                        font.pixelSize: 20
                    }

                    ComboBox {
                        id: framePreset
                        objectName: "framePreset"
                        Accessible.name: qsTr("Frame")
                        Layout.fillWidth: true
                        Layout.leftMargin: 10
                        Layout.rightMargin: 10
                        enabled: editPage.selected.length > 0
                        model: editPage.presets.map(function (preset) { return preset.name })
                        displayText: currentIndex >= 0 ? currentText
                                     : editPage.shownPreset() === -2 ? qsTr("mixed")
                                                                     : qsTr("Own frame")
                        onActivated: editPage.applyPreset(index)
                        ToolTip.visible: hovered
                        ToolTip.text: qsTr("The shape and size the places photos go ask for")
                    }

                    RowLayout {
                        Layout.leftMargin: 10
                        Layout.rightMargin: 10

                        Text {
                            text: qsTr("Aspect")
                            color: Universal.foreground
                        }

                        ComboBox {
                            id: aspectBox
                            objectName: "frameAspect"
                            Accessible.name: qsTr("Aspect")
                            Layout.fillWidth: true
                            editable: true
                            enabled: editPage.selected.length > 0
                            model: [qsTr("Free"), "1:1", "4:5", "3:4", "2:3", "16:9"]
                            validator: RegExpValidator { regExp: /\d{1,5}:\d{1,5}|[^:]*/ }
                            onActivated: editPage.setSelected({ aspect: index === 0 ? "" : model[index] })
                            onAccepted: editPage.setSelected({ aspect: /^\d+:\d+$/.test(editText)
                                                                       ? editText : "" })
                            ToolTip.visible: hovered
                            ToolTip.text: qsTr("Width to height of the frame around the crop; type your own as W:H")
                        }
                    }

                    RowLayout {
                        Layout.leftMargin: 10
                        Layout.rightMargin: 10

                        CheckBox {
                            id: objectFills
                            objectName: "objectFills"
                            text: qsTr("Object fills")
                            tristate: checkState === Qt.PartiallyChecked
                            nextCheckState: function () { return checkState === Qt.Checked ? Qt.Unchecked : Qt.Checked }
                            enabled: editPage.selected.length > 0
                            onClicked: editPage.setSelected({ fill: checked ? fillShare.value : 0 })
                            ToolTip.visible: hovered
                            ToolTip.text: qsTr("The object's longer side fills this share of the frame, instead of the padding")
                        }

                        SpinBox {
                            id: fillShare
                            objectName: "fillShare"
                            Accessible.name: qsTr("Object fills, percent")
                            Layout.fillWidth: true
                            from: 10
                            to: 100
                            value: 85
                            editable: true
                            enabled: editPage.selected.length > 0 && objectFills.checked
                            textFromValue: function (value) { return value + " %" }
                            valueFromText: function (text) { return parseInt(text) }
                            onValueModified: editPage.setSelected({ fill: value })
                        }
                    }

                    RowLayout {
                        Layout.leftMargin: 10
                        Layout.rightMargin: 10

                        CheckBox {
                            id: exactSize
                            objectName: "exactSize"
                            text: qsTr("Exact size")
                            tristate: checkState === Qt.PartiallyChecked
                            nextCheckState: function () { return checkState === Qt.Checked ? Qt.Unchecked : Qt.Checked }
                            enabled: editPage.selected.length > 0
                            onClicked: editPage.setSelected({ size: checked ? sizeText.text : "" })
                            ToolTip.visible: hovered
                            ToolTip.text: qsTr("The picture exactly this many pixels, W×H; never enlarged, a smaller crop is framed")
                        }

                        TextField {
                            id: sizeText
                            objectName: "sizeText"
                            Accessible.name: qsTr("Exact size")
                            Layout.fillWidth: true
                            text: "2000x2000"
                            enabled: editPage.selected.length > 0 && exactSize.checked
                            validator: RegExpValidator { regExp: /\d{1,5}x\d{1,5}/ }
                            onEditingFinished: editPage.setSelected({ size: text })
                        }
                    }

                    RowLayout {
                        Layout.leftMargin: 10
                        Layout.rightMargin: 10

                        Text {
                            text: qsTr("Frame colour")
                            color: Universal.foreground
                        }

                        Rectangle {
                            width: 20
                            height: 20
                            color: frameColour.acceptableInput ? frameColour.text : "transparent"
                            border.color: Universal.foreground
                        }

                        TextField {
                            id: frameColour
                            objectName: "frameColour"
                            Accessible.name: qsTr("Frame colour")
                            Layout.fillWidth: true
                            placeholderText: qsTr("mixed")
                            enabled: editPage.selected.length > 0
                            validator: RegExpValidator { regExp: /#[0-9a-fA-F]{6}/ }
                            onEditingFinished: editPage.setSelected({ frameColour: text })
                            ToolTip.visible: hovered
                            ToolTip.text: qsTr("Where the frame reaches beyond the photo, #rrggbb")
                        }
                    }

                    TextField {
                        id: presetName
                        objectName: "presetName"
                        Accessible.name: qsTr("Preset name")
                        Layout.fillWidth: true
                        Layout.leftMargin: 10
                        Layout.rightMargin: 10
                        placeholderText: qsTr("Preset name")
                    }

                    Button {
                        objectName: "savePreset"
                        text: qsTr("Save Preset")
                        Layout.fillWidth: true
                        Layout.leftMargin: 10
                        Layout.rightMargin: 10
                        enabled: presetName.text.length > 0 && editPage.shownPreset() !== -2
                        onClicked: {
                            editPage.savePreset(presetName.text)
                            presetName.text = ""
                        }
                        ToolTip.visible: hovered
                        ToolTip.text: qsTr("Keep the shown frame under this name, for every session")
                    }
                }

                // Room above the hint.
                Item {
                    width: 1
                    height: 20
                }

                Text {
                    objectName: "hint"
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.Wrap
                    text: qsTr("Click photos to select them")
                    color: "#777"
                    font.pixelSize: 18
                    visible: editPage.selected.length === 0 && cvimage.photos.count > 0
                }
            }
        }
    }

    // The layout sizes this holder; the grid's columns follow the view's width, so the view's
    // content must not size it in turn.
    Item {
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.margins: 10

        ScrollView {
            id: scrollView
            anchors.fill: parent
            ScrollBar.vertical: ScrollBar {
                parent: scrollView
                anchors.right: scrollView.right
                height: scrollView.height
            }

            TileGrid {
                id: grid
                objectName: "grid"
                spacing: 10
                columns: ImageItemScript.gridColumns(scrollView.width, 0)
                scrollView: scrollView
                name: qsTr("Photos")
                count: repeater.count
                onToggled: repeater.itemAt(index).selected = !repeater.itemAt(index).selected
                onOpened: repeater.itemAt(index).opened()

                Repeater {
                    id: repeater
                    objectName: "repeater"
                    model: cvimage.photos

                    ImageItem {
                        current: grid.activeFocus && grid.current === index
                        onScreen: y + height > grid.shownTop && y < grid.shownBottom
                        onTouched: {
                            grid.current = index
                            grid.forceActiveFocus()
                        }
                        crop: model.crop
                        padding: model.padding
                        maxWidth: model.maxWidth
                        // Off the screen the previews give their memory back.
                        source: editPage.visible ? model.shownSource : ""
                        finding: model.shownSource !== model.source
                        doubt: model.doubt
                        name: model.fileName
                        onOpened: cropEditor.openFor(index, model.padding)
                        onSelectedChanged: {
                            if (selected) {
                                editPage.selected.push(index)
                            } else {
                                var position = editPage.selected.indexOf(index)
                                if (position >= 0)
                                    editPage.selected.splice(position, 1)
                            }
                            editPage.selectedChanged()
                        }
                    }
                }
            }
        }
    }

    CropEditor {
        id: cropEditor
        onApplied: cvimage.photos.setOptions(editPage.selected,
                                             { box: cropEditor.boxText(), crop: true })
    }

    // What new photos start with, changed only by Set as Default.
    Settings {
        id: remembered
        category: "edit"
        property int padding: 50
        property int maxWidth: 400
        property bool paddingPercent: false
        property bool originalSize: false
        property bool noEnlarge: false
        property string detect: "edges"
        property string aspect: ""
        property int fill: 0
        property string size: ""
        property string frameColour: "#ffffff"
        // The user's own frames, as JSON: a list of maps of a name and the frame's keys.
        property string userPresets: "[]"

        Component.onCompleted: cvimage.photos.defaults = {
            padding: remembered.padding, maxWidth: remembered.maxWidth,
            paddingPercent: remembered.paddingPercent, originalSize: remembered.originalSize,
            noEnlarge: remembered.noEnlarge, detect: remembered.detect, aspect: remembered.aspect,
            fill: remembered.fill, size: remembered.size, frameColour: remembered.frameColour
        }
    }
}
