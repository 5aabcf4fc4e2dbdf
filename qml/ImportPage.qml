import QtQuick 2.2
import QtQuick.Controls.Universal 2.2
import QtQuick.Controls 2.2
import "./ImageItem.js" as ImageItemScript

Item {
    id: importPage

    // Any drop, even one without a URL, lets the user go on.
    property bool canContinue: false

    DropArea {
        anchors.fill: parent
        onDropped: {
            for (var i = 0; i < drop.urls.length; ++i)
                cvimage.addImage(drop.urls[i])
            canContinue = true
        }

        ScrollView {
            id: thumbnailView
            anchors.fill: parent
            visible: cvimage.imageArray.length > 0
            ScrollBar.vertical: ScrollBar {
                parent: thumbnailView
                anchors.right: thumbnailView.right
                height: thumbnailView.height
            }

            Grid {
                objectName: "grid"
                spacing: 10
                columns: ImageItemScript.gridColumns(importPage.width, 1)

                Repeater {
                    model: cvimage.imageArray

                    Image {
                        id: image
                        width: 200
                        height: 200
                        sourceSize.width: 200
                        sourceSize.height: 200
                        fillMode: Image.PreserveAspectFit
                        asynchronous: true
                        source: modelData
                    }
                }
            }
        }

        Rectangle {
            anchors.fill: parent
            color: Universal.background
            visible: cvimage.imageArray.length === 0

            Text {
                anchors.centerIn: parent
                text: "Drag Your Images Here"
                color: Universal.foreground
                font.pixelSize: 32
            }
        }
    }
}
