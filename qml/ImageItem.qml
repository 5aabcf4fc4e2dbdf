import QtQuick 2.2
import QtQuick.Controls 2.2
import QtQuick.Controls.Universal 2.2
import "./ImageItem.js" as ImageItemScript

Rectangle {
    id: imageItem

    property bool crop: false
    property int padding: 50
    property bool selected: false
    property int maxWidth: 400
    // The descriptor URL: the image URL of this tile's entry followed by its options.
    property string source: modelData + "#crop=" + (crop ? "1" : "0") + "&padding=" + padding
                            + "&maxWidth=" + maxWidth

    width: 208
    height: 208
    color: "black"
    border.width: 4
    border.color: selected ? Universal.accent : "#333"

    BusyIndicator {
        id: loader
        width: 50
        height: 50
        anchors.centerIn: parent
        running: image.status === Image.Loading
    }

    Image {
        id: image
        width: 200
        height: 200
        anchors.centerIn: parent
        sourceSize.width: 200
        sourceSize.height: 200
        fillMode: Image.PreserveAspectFit
        asynchronous: true
        source: imageItem.source
    }

    MouseArea {
        anchors.fill: parent
        onClicked: imageItem.selected = !imageItem.selected
    }
}
