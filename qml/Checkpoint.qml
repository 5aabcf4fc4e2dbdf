import QtQuick 2.2
import QtQuick.Controls.Universal 2.2

Item {
    id: checkpoint

    property bool active: false
    property string text: ""

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
}
