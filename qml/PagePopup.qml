import QtQuick 2.2
import QtQuick.Controls 2.2
import QtQuick.Controls.Universal 2.2

// A panel at the bottom centre of its parent, in the look of the application's messages.
Popup {
    x: parent ? (parent.width - width) / 2 : 0
    y: parent ? parent.height - height - 20 : 0
    width: parent ? Math.min(parent.width - 40, 640) : 0
    padding: 16

    background: Rectangle {
        color: "#333"
        border.width: 2
        border.color: Universal.accent
    }
}
