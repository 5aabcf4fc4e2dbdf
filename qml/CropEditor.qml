import QtQuick 2.5
import QtQuick.Controls 2.3
import QtQuick.Controls.Universal 2.2
import QtQuick.Layouts 1.3

// One photo shown large with its crop: the object box (solid) and the region the export keeps
// around it with the padding (faint). Edges, corners and the whole box can be dragged; the box
// goes to the photo when the mouse is let go.
Popup {
    id: editor
    objectName: "cropEditor"

    property int row: -1
    property int margin: 0
    // The photo's size and its detected box, in photo pixels, as the photo is turned; its box
    // chosen by hand, its turned image and angle.
    property var geometry: ({ width: 1, height: 1, x: 0, y: 0, w: 0, h: 0, box: "", source: "",
                              straighten: 0 })
    // The object box being edited, in photo pixels.
    property rect box: Qt.rect(0, 0, 0, 0)
    // Photo pixels to view pixels, and where the photo starts in the view.
    readonly property real zoom: photo.paintedWidth / geometry.width
    readonly property real photoLeft: (photo.width - photo.paintedWidth) / 2
    readonly property real photoTop: (photo.height - photo.paintedHeight) / 2

    signal applied

    // Turns the photo shown by quarters clockwise; the box turns with it.
    function rotate(quarters) {
        cvimage.photos.rotate([row], quarters)
        refresh()
    }

    function openFor(row, padding) {
        editor.row = row
        editor.margin = padding
        refresh()
        open()
    }

    // Reads the photo again as the session has it: after a turn, an undo or a redo.
    function refresh() {
        geometry = cvimage.photos.cropGeometry(row)
        var parts = geometry.box.split(",")
        box = parts.length === 4 ? Qt.rect(+parts[0], +parts[1], +parts[2], +parts[3])
                                 : detectedOrMiddle()
        straighten.value = geometry.straighten
    }

    // The detected box, or where none was found, the middle of the photo to start from.
    function detectedOrMiddle() {
        if (geometry.w > 0 && geometry.h > 0)
            return Qt.rect(geometry.x, geometry.y, geometry.w, geometry.h)
        return Qt.rect(geometry.width / 4, geometry.height / 4, geometry.width / 2,
                       geometry.height / 2)
    }

    function boxText() {
        return Math.round(box.x) + "," + Math.round(box.y) + "," + Math.round(box.width) + ","
                + Math.round(box.height)
    }

    function commit() {
        cvimage.photos.setOptions([row], { box: boxText(), crop: true })
    }

    // Moves the edges named by dx, dy (-1 left or top, 1 right or bottom, 0 neither, 2 both:
    // the whole box) by a distance in photo pixels; the box keeps at least one pixel.
    function drag(start, sides, distance) {
        var x = start.x, y = start.y, w = start.width, h = start.height
        if (sides.dx === 2) {
            x += distance.x
        } else if (sides.dx === -1) {
            var right = x + w
            x = Math.min(x + distance.x, right - 1)
            w = right - x
        } else if (sides.dx === 1) {
            w = Math.max(1, w + distance.x)
        }
        if (sides.dy === 2) {
            y += distance.y
        } else if (sides.dy === -1) {
            var bottom = y + h
            y = Math.min(y + distance.y, bottom - 1)
            h = bottom - y
        } else if (sides.dy === 1) {
            h = Math.max(1, h + distance.y)
        }
        box = Qt.rect(x, y, w, h)
    }

    parent: Overlay.overlay
    x: 20
    y: 20
    width: parent ? parent.width - 40 : 0
    height: parent ? parent.height - 40 : 0
    modal: true
    closePolicy: Popup.CloseOnEscape
    padding: 10

    background: Rectangle {
        color: "#333"
        border.width: 2
        border.color: Universal.accent
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 10

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            Image {
                id: photo
                anchors.fill: parent
                fillMode: Image.PreserveAspectFit
                asynchronous: true
                source: editor.visible && editor.geometry.source ? editor.geometry.source : ""
            }

            // The region the export keeps: the box grown by the padding, within the photo.
            Rectangle {
                readonly property real x0: Math.max(0, editor.box.x - editor.margin)
                readonly property real y0: Math.max(0, editor.box.y - editor.margin)
                readonly property real x1: Math.min(editor.geometry.width,
                                                    editor.box.x + editor.box.width + editor.margin)
                readonly property real y1: Math.min(editor.geometry.height,
                                                    editor.box.y + editor.box.height + editor.margin)
                x: editor.photoLeft + x0 * editor.zoom
                y: editor.photoTop + y0 * editor.zoom
                width: (x1 - x0) * editor.zoom
                height: (y1 - y0) * editor.zoom
                color: "#2000b7eb"
                border.width: 1
                border.color: "#8000b7eb"
            }

            Rectangle {
                id: boxItem
                objectName: "cropBox"
                x: editor.photoLeft + editor.box.x * editor.zoom
                y: editor.photoTop + editor.box.y * editor.zoom
                width: editor.box.width * editor.zoom
                height: editor.box.height * editor.zoom
                color: "transparent"
                border.width: 2
                border.color: Universal.accent

                Repeater {
                    // The whole box, then its four edges and four corners.
                    model: [{ dx: 2, dy: 2 }, { dx: -1, dy: 0 }, { dx: 1, dy: 0 }, { dx: 0, dy: -1 },
                        { dx: 0, dy: 1 }, { dx: -1, dy: -1 }, { dx: 1, dy: -1 }, { dx: -1, dy: 1 },
                        { dx: 1, dy: 1 }]

                    MouseArea {
                        readonly property var sides: modelData
                        property point pressedAt
                        property rect startBox

                        objectName: "handle" + index
                        width: sides.dx === 2 ? boxItem.width : sides.dx === 0 ? boxItem.width - 20 : 20
                        height: sides.dy === 2 ? boxItem.height : sides.dy === 0 ? boxItem.height - 20 : 20
                        x: sides.dx === -1 ? -10 : sides.dx === 1 ? boxItem.width - 10 : sides.dx === 0 ? 10 : 0
                        y: sides.dy === -1 ? -10 : sides.dy === 1 ? boxItem.height - 10 : sides.dy === 0 ? 10 : 0
                        z: sides.dx === 2 ? 0 : 1
                        cursorShape: sides.dx === 2 ? Qt.SizeAllCursor
                                   : sides.dy === 0 ? Qt.SizeHorCursor
                                   : sides.dx === 0 ? Qt.SizeVerCursor
                                   : sides.dx === sides.dy ? Qt.SizeFDiagCursor : Qt.SizeBDiagCursor
                        onPressed: {
                            pressedAt = mapToItem(photo, mouse.x, mouse.y)
                            startBox = editor.box
                        }
                        onPositionChanged: {
                            var now = mapToItem(photo, mouse.x, mouse.y)
                            editor.drag(startBox, sides,
                                        Qt.point((now.x - pressedAt.x) / editor.zoom,
                                                 (now.y - pressedAt.y) / editor.zoom))
                        }
                        onReleased: editor.commit()

                        Rectangle {
                            anchors.centerIn: parent
                            width: 10
                            height: 10
                            visible: parent.sides.dx !== 2 && parent.sides.dx !== 0
                                     && parent.sides.dy !== 0
                            color: Universal.accent
                        }
                    }
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 10

            Text {
                text: qsTr("Drag the box's edges, corners or the whole box.")
                color: Universal.foreground
                font.pixelSize: 16
                wrapMode: Text.Wrap
                Layout.fillWidth: true
            }

            Button {
                objectName: "rotateLeft"
                text: "⟲"
                onClicked: editor.rotate(-1)
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Rotate the photo a quarter turn to the left (Ctrl+L)")
                Accessible.name: qsTr("Rotate Left")
            }

            Button {
                objectName: "rotateRight"
                text: "⟳"
                onClicked: editor.rotate(1)
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Rotate the photo a quarter turn to the right (Ctrl+R)")
                Accessible.name: qsTr("Rotate Right")
            }

            Text {
                text: qsTr("Straighten: %1°").arg(straighten.value.toLocaleString(Qt.locale(), "f", 1))
                color: Universal.foreground
                font.pixelSize: 16
            }

            Slider {
                id: straighten
                objectName: "straighten"
                Accessible.name: qsTr("Straighten")
                from: -10
                to: 10
                stepSize: 0.5
                snapMode: Slider.SnapAlways
                Layout.preferredWidth: 200
                onMoved: {
                    cvimage.photos.setOptions([editor.row], { straighten: value })
                    editor.refresh()
                }
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Turn the photo by a small angle, clockwise to the right")
            }

            Button {
                objectName: "auto"
                text: qsTr("Auto")
                onClicked: {
                    cvimage.photos.setOptions([editor.row], { box: "" })
                    editor.refresh()
                }
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Back to the box edge detection found")
            }

            Button {
                objectName: "applyToSelected"
                text: qsTr("Apply to Selected")
                onClicked: editor.applied()
                ToolTip.visible: hovered
                ToolTip.text: qsTr("The same box for every selected photo")
            }

            Button {
                objectName: "done"
                text: qsTr("Done")
                onClicked: editor.close()
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Close the large view (Escape)")
            }
        }
    }
}
