import QtQuick 2.2
import QtQuick.Layouts 1.3
import QtQuick.Controls 2.2
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

    // Gives every selected photo the options (crop, padding, maxWidth) named in options.
    function setSelected(options) {
        cvimage.photos.setOptions(selected, options)
    }

    Rectangle {
        color: "#333"
        Layout.preferredWidth: 300
        Layout.minimumWidth: 300
        Layout.maximumWidth: 300
        Layout.fillHeight: true

        Column {
            width: parent.width

            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Settings"
                color: Universal.foreground
                font.pixelSize: 32
            }

            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Padding: " + Math.round(padding.value)
                      + (paddingPercent.checked ? " % of the Object" : " Pixels")
                color: Universal.foreground
                font.pixelSize: 20
            }

            Slider {
                id: padding
                objectName: "padding"
                width: parent.width
                from: 0
                to: paddingPercent.checked ? 100 : 500
                value: 50
                stepSize: paddingPercent.checked ? 1 : 10
                snapMode: Slider.SnapAlways
                onValueChanged: editPage.setSelected({ padding: Math.round(padding.value) })
            }

            CheckBox {
                id: paddingPercent
                objectName: "paddingPercent"
                text: "Padding in percent"
                onToggled: editPage.setSelected({ paddingPercent: checked,
                                                  padding: Math.round(padding.value) })
                ToolTip.visible: hovered
                ToolTip.text: "The margin as a share of the object's longer side"
            }

            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Maximum Width: " + Math.round(maximumwidth.value) + " Pixels"
                color: Universal.foreground
                font.pixelSize: 20
            }

            ColumnLayout {
                width: parent.width
                spacing: 2

                SpinBox {
                    id: maximumwidth
                    objectName: "maximumwidth"
                    value: 400
                    from: 1
                    to: 20000
                    editable: true
                    enabled: !originalSize.checked
                    Layout.fillWidth: true
                    Layout.margins: 10
                    onValueModified: editPage.setSelected({ maxWidth: maximumwidth.value })
                }

                CheckBox {
                    id: originalSize
                    objectName: "originalSize"
                    text: "Original size"
                    Layout.leftMargin: 10
                    onToggled: editPage.setSelected({ originalSize: checked })
                    ToolTip.visible: hovered
                    ToolTip.text: "Keep the cut-out at its own size, whatever the width"
                }

                CheckBox {
                    id: noEnlarge
                    objectName: "noEnlarge"
                    text: "Never enlarge"
                    enabled: !originalSize.checked
                    Layout.leftMargin: 10
                    onToggled: editPage.setSelected({ noEnlarge: checked })
                    ToolTip.visible: hovered
                    ToolTip.text: "Scale a small object down to the width, never up"
                }

                Button {
                    objectName: "crop"
                    text: "Crop"
                    Layout.fillWidth: true
                    Layout.margins: 10
                    onClicked: editPage.setSelected({
                        crop: true, padding: Math.round(padding.value),
                        paddingPercent: paddingPercent.checked, originalSize: originalSize.checked,
                        noEnlarge: noEnlarge.checked })
                    ToolTip.visible: hovered
                    ToolTip.text: "Crop the selected photos to their object (double-click a photo to fix its box)"
                }

                Button {
                    objectName: "reset"
                    text: "Reset"
                    Layout.fillWidth: true
                    Layout.margins: 10
                    onClicked: editPage.setSelected({ crop: false, padding: 0 })
                    ToolTip.visible: hovered
                    ToolTip.text: "Keep the selected photos whole"
                }

                Button {
                    objectName: "selectAll"
                    text: "Select All"
                    Layout.fillWidth: true
                    Layout.margins: 10
                    onClicked: editPage.selectAll()
                    ToolTip.visible: hovered
                    ToolTip.text: "Select every photo (Ctrl+A)"
                }

                Button {
                    objectName: "deselectAll"
                    text: "Deselect All"
                    Layout.fillWidth: true
                    Layout.margins: 10
                    onClicked: editPage.deselectAll()
                    ToolTip.visible: hovered
                    ToolTip.text: "Select no photo (Escape)"
                }

                Button {
                    objectName: "remove"
                    text: "Remove"
                    Layout.fillWidth: true
                    Layout.margins: 10
                    onClicked: editPage.removeSelected()
                    ToolTip.visible: hovered
                    ToolTip.text: "Take the selected photos out of the session (Delete)"
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
                text: "Click photos to select them"
                color: "#777"
                font.pixelSize: 18
                visible: editPage.selected.length === 0 && cvimage.photos.count > 0
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

            Grid {
                objectName: "grid"
                spacing: 10
                columns: ImageItemScript.gridColumns(scrollView.width, 0)

                Repeater {
                    id: repeater
                    objectName: "repeater"
                    model: cvimage.photos

                    ImageItem {
                        crop: model.crop
                        padding: model.padding
                        maxWidth: model.maxWidth
                        // Off the screen the previews give their memory back.
                        source: editPage.visible ? model.shownSource : ""
                        finding: model.shownSource !== model.source
                        doubt: model.doubt
                        onOpened: cropEditor.openFor(index, model.photoIndex, model.box,
                                                     model.padding)
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

    Settings {
        category: "edit"
        property alias padding: padding.value
        property alias maxWidth: maximumwidth.value
        property alias paddingPercent: paddingPercent.checked
        property alias originalSize: originalSize.checked
        property alias noEnlarge: noEnlarge.checked
    }
}
