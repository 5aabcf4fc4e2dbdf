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
    // Its object is still looked for: the source shows the photo uncropped meanwhile.
    property bool finding: false
    // Scrolled out of view, the tile's busy indicator rests: two hundred of them starting at once
    // (Select All, Crop) held the window for tens of milliseconds.
    property bool onScreen: true

    // A double click asks for the photo in the large crop view.
    signal opened
    // Why this photo's crop deserves a look, empty when it does not.
    property string doubt: ""
    // The file's name, along the tile's foot.
    property alias name: nameLabel.text
    // The keyboard's tile: ringed while the grid has the focus.
    property bool current: false
    // A press on it: the grid takes the keyboard and makes it current.
    signal touched

    width: 208
    height: 208
    color: "black"
    border.width: 4
    border.color: selected ? Universal.accent : "#333"

    Accessible.role: Accessible.ListItem
    Accessible.name: name
    Accessible.description: (crop ? qsTr("Cropped") : qsTr("Whole"))
                            + (doubt !== "" ? ". " + doubt : "")
    Accessible.selectable: true
    Accessible.selected: selected
    Accessible.focusable: true
    Accessible.focused: current
    Accessible.onToggleAction: selected = !selected
    Accessible.onPressAction: opened()

    Image {
        id: image
        objectName: "image"
        width: 200
        height: 200
        anchors.centerIn: parent
        sourceSize.width: 200
        sourceSize.height: 200
        fillMode: Image.PreserveAspectFit
        asynchronous: true
        source: imageItem.source
    }

    // Over the photo: while its object is looked for, the photo is shown uncropped beneath.
    BusyIndicator {
        id: loader
        width: 50
        height: 50
        anchors.centerIn: parent
        running: imageItem.onScreen && (image.status === Image.Loading || imageItem.finding)
    }

    MouseArea {
        anchors.fill: parent
        // The keyboard follows the pointer out of any text box, so that Delete and the other
        // keys act on the photos again.
        onPressed: imageItem.touched()
        onClicked: imageItem.selected = !imageItem.selected
        // The double click's first click flipped the selection: it is put back.
        onDoubleClicked: {
            imageItem.selected = !imageItem.selected
            imageItem.opened()
        }
    }

    NameStrip {
        id: nameLabel
    }

    Rectangle {
        objectName: "focusRing"
        anchors.fill: parent
        anchors.margins: -3
        color: "transparent"
        border.width: 2
        border.color: Universal.foreground
        radius: 2
        visible: imageItem.current
    }

    Rectangle {
        objectName: "doubtMark"
        width: 24
        height: 24
        radius: 12
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.margins: 8
        color: "#e8a000"
        visible: imageItem.doubt !== ""

        Text {
            anchors.centerIn: parent
            text: "!"
            color: "black"
            font.pixelSize: 18
            font.bold: true
        }

        MouseArea {
            id: doubtArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: imageItem.selected = !imageItem.selected
        }

        ToolTip.visible: doubtArea.containsMouse
        ToolTip.text: imageItem.doubt
    }
}
