import QtQuick 2.2
import QtQuick.Controls 2.2
import QtQuick.Controls.Universal 2.2
import "./ImageItem.js" as ImageItemScript

Rectangle {
    id: imageItem

    // The photo's options and its descriptor URL (its image URL followed by the options), as the
    // session holds them.
    property bool crop: false
    property int padding: 50
    property int maxWidth: 400
    property string source: ""
    property bool selected: false

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
