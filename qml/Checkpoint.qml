import QtQuick 2.2
import QtQuick.Controls 2.2
import QtQuick.Controls.Universal 2.2

Item {
    id: checkpoint

    property bool active: false
    property string text: ""
    // What the step is, said on hover and to screen readers.
    property string label: ""
    // The step can be gone to now.
    property bool reachable: false
    // Its name beside the circle, on the side away from the window's edge.
    property string caption: ""
    property bool captionOnLeft: false

    signal clicked

    Accessible.role: Accessible.Button
    Accessible.name: label

    Rectangle {
        width: 50
        height: width
        radius: 25
        color: checkpoint.active ? Universal.accent : "#333"

        Text {
            anchors.centerIn: parent
            text: checkpoint.text
            font.pixelSize: 24
            color: checkpoint.active ? "#333" : "#777"
        }
    }

    Rectangle {
        objectName: "caption"
        x: checkpoint.captionOnLeft ? -width - 6 : 56
        y: (50 - height) / 2
        width: captionText.implicitWidth + 16
        height: 28
        radius: 14
        color: "#333"

        Text {
            id: captionText
            anchors.centerIn: parent
            text: checkpoint.caption
            font.pixelSize: 16
            color: checkpoint.active ? Universal.foreground : "#999"
        }

        MouseArea {
            anchors.fill: parent
            enabled: checkpoint.reachable
            cursorShape: checkpoint.reachable ? Qt.PointingHandCursor : Qt.ArrowCursor
            onClicked: checkpoint.clicked()
        }
    }

    MouseArea {
        id: area
        width: 50
        height: 50
        hoverEnabled: true
        enabled: checkpoint.reachable
        cursorShape: checkpoint.reachable ? Qt.PointingHandCursor : Qt.ArrowCursor
        onClicked: checkpoint.clicked()
    }

    ToolTip.visible: area.containsMouse
    ToolTip.text: label
}
