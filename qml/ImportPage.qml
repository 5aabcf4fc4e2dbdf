import QtQuick 2.2
import QtQuick.Controls.Universal 2.2
import QtQuick.Controls 2.2
import QtQuick.Layouts 1.3
import QtQuick.Dialogs 1.2
import "./ImageItem.js" as ImageItemScript

Item {
    id: importPage

    // Any drop, even one without a URL, lets the user go on.
    property bool canContinue: false

    // Opens the dialog that adds photos as if they were dropped.
    function addPhotos() {
        photoDialog.open()
    }

    DropArea {
        anchors.fill: parent
        onDropped: {
            if (applicationWindow.takeUrls(drop.urls))
                canContinue = true
        }

        ScrollView {
            id: thumbnailView
            anchors.fill: parent
            visible: cvimage.photos.count > 0
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
                    model: cvimage.photos

                    Column {
                        width: 200
                        Accessible.role: Accessible.Graphic
                        Accessible.name: model.fileName

                        Image {
                            width: 200
                            height: 200
                            sourceSize.width: 200
                            sourceSize.height: 200
                            fillMode: Image.PreserveAspectFit
                            asynchronous: true
                            // Off the screen the thumbnails give their memory back; coming back
                            // costs a few milliseconds of the reduced copies.
                            source: importPage.visible ? model.imageUrl : ""
                        }

                        Text {
                            width: 200
                            text: model.fileName
                            elide: Text.ElideMiddle
                            horizontalAlignment: Text.AlignHCenter
                            color: Universal.foreground
                            font.pixelSize: 14
                        }
                    }
                }
            }
        }

        Rectangle {
            anchors.fill: parent
            color: Universal.background
            visible: cvimage.photos.count === 0 && !cvimage.importer.running

            Text {
                anchors.centerIn: parent
                text: qsTr("Drag Your Images Here")
                color: Universal.foreground
                font.pixelSize: 32
            }
        }
    }

    Notice {
        objectName: "importProgress"
        visible: cvimage.importer.running
        text: qsTr("Importing %1 of %2").arg(Math.min(cvimage.importer.done + 1,
                                                      cvimage.importer.total))
              .arg(cvimage.importer.total)
        progress: cvimage.importer.total > 0 ? cvimage.importer.done / cvimage.importer.total : 0
    }

    Notice {
        id: unreadable
        objectName: "unreadable"
        visible: false
        dismissable: true
    }

    FileDialog {
        id: photoDialog
        title: qsTr("Add Photos")
        selectMultiple: true
        nameFilters: [qsTr("Images (%1)").arg(cvimage.photoPatterns.join(" ")),
            qsTr("All files (*)")]
        onAccepted: {
            cvimage.importUrls(fileUrls)
            importPage.canContinue = true
        }
    }

    Connections {
        target: cvimage.importer
        function onFinished(unreadableFiles) {
            if (unreadableFiles.length === 0)
                return
            unreadable.text = qsTr("%n file(s) could not be read: %1", "", unreadableFiles.length)
                    .arg(unreadableFiles.join(", "))
            unreadable.visible = true
        }
    }
}
