import QtQuick 2.2

// A file's name along the foot of a tile, cut short in the middle when it is long; the whole
// name shows in the tile's tooltip.
Rectangle {
    property alias text: label.text

    anchors.left: parent.left
    anchors.right: parent.right
    anchors.bottom: parent.bottom
    anchors.margins: 4
    height: 22
    color: "#b0000000"
    visible: text !== ""

    Text {
        id: label
        objectName: "name"
        anchors.fill: parent
        anchors.leftMargin: 4
        anchors.rightMargin: 4
        verticalAlignment: Text.AlignVCenter
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideMiddle
        color: "white"
        font.pixelSize: 13
    }
}
