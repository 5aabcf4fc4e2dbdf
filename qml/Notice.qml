import QtQuick 2.2
import QtQuick.Controls 2.2
import QtQuick.Controls.Universal 2.2
import QtQuick.Layouts 1.3

// A panel at the bottom of a page: a message, optionally a progress bar and a button.
Rectangle {
    id: notice

    property alias text: message.text
    // Between 0 and 1; a negative value hides the bar.
    property real progress: -1
    // An "OK" button that hides the notice.
    property bool dismissable: false
    // Text of an extra button, none when empty; pressing it emits action().
    property string actionText: ""

    signal action

    anchors.horizontalCenter: parent.horizontalCenter
    anchors.bottom: parent.bottom
    anchors.bottomMargin: 20
    width: Math.min(parent.width - 40, 640)
    height: column.implicitHeight + 32
    color: "#333"
    border.width: 2
    border.color: Universal.accent
    z: 10

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 16
        spacing: 12

        RowLayout {
            spacing: 16
            Layout.fillWidth: true

            Text {
                id: message
                wrapMode: Text.Wrap
                color: Universal.foreground
                font.pixelSize: 20
                Layout.fillWidth: true
            }

            Button {
                objectName: "noticeAction"
                text: notice.actionText
                visible: notice.actionText !== ""
                onClicked: notice.action()
            }

            Button {
                objectName: "noticeOk"
                text: qsTr("OK")
                visible: notice.dismissable
                onClicked: notice.visible = false
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Close this message")
            }
        }

        ProgressBar {
            visible: notice.progress >= 0
            value: notice.progress
            Layout.fillWidth: true
        }
    }
}
