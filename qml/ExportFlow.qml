import QtQuick 2.2
import QtQuick.Controls 2.2
import QtQuick.Layouts 1.3
import QtQuick.Controls.Universal 2.2

// An export from the folder's choice to its end: the question before files are replaced, the
// progress, and what is said once it ends. Its messages are shown over page.
Item {
    id: flow

    property Item page
    // Stay on the page once every file is written, instead of showing the folder and closing.
    property bool keepOpen: false

    // The user wants to pick the export folder again.
    signal folderWanted

    // The folder of the export that runs or ran last, as the dialog gave it.
    property var exportTarget

    // Writes every unpaired image, then every pair, into folder (a folder URL), in the
    // background. Only when every file was written is the folder shown and the window closed;
    // otherwise the user is told and may export again, into another folder.
    // Files of an earlier export are never replaced silently: when any name is taken, the user
    // is asked once before anything is written.
    function exportFiles(folder) {
        exportFailure.close()
        exportDone.close()
        exportTarget = folder
        var taken = cvimage.existingExportFiles(folder)
        if (taken > 0) {
            overwriteQuestion.lead = qsTr("%n file(s) already exist in", "", taken)
            overwriteQuestion.path = displayPath(folder)
            overwriteQuestion.open()
            return
        }
        writeFiles()
    }

    function writeFiles() {
        cvimage.startExport(exportTarget)
    }

    function exportFinished(written, total, cancelled) {
        if (cancelled) {
            exportFailure.text = qsTr("Export cancelled: %1 of %n file(s) written into %2.", "",
                                      total).arg(written).arg(displayPath(exportTarget))
            exportFailure.open()
            return
        }
        if (written < total) {
            exportFailure.text = qsTr("%1 of %n file(s) could not be written into %2. Press Export "
                                      + "to choose another folder.", "", total)
                    .arg(total - written).arg(displayPath(exportTarget))
            exportFailure.open()
            return
        }
        if (flow.keepOpen) {
            exportDone.text = qsTr("%n file(s) written into %1.", "", written)
                    .arg(displayPath(exportTarget))
            exportDone.open()
            return
        }
        Qt.openUrlExternally(exportTarget)
        applicationWindow.close()
    }

    Connections {
        target: cvimage
        function onExportFinished(written, total, cancelled) {
            flow.exportFinished(written, total, cancelled)
        }
    }

    // The folder as its owner knows it: a local path, decoded from the folder URL.
    function displayPath(folder) {
        var path = decodeURIComponent(folder.toString().replace(/^file:\/\//, ""))
        return /^\/[A-Za-z]:/.test(path) ? path.substring(1) : path
    }

    PagePopup {
        id: overwriteQuestion
        objectName: "overwriteQuestion"

        // The message, whose folder shows on a line of its own, shortened in its middle if it
        // must be, never broken.
        property string lead
        property string path
        readonly property string text: lead + " " + path + "."

        parent: flow.page
        modal: true
        closePolicy: Popup.CloseOnEscape

        RowLayout {
            width: parent.width
            spacing: 16

            ColumnLayout {
                Layout.fillWidth: true

                Text {
                    text: overwriteQuestion.lead
                    color: Universal.foreground
                    font.pixelSize: 20
                }

                Text {
                    id: questionPath
                    objectName: "questionPath"
                    text: overwriteQuestion.path + "."
                    elide: Text.ElideMiddle
                    color: Universal.foreground
                    font.pixelSize: 20
                    Layout.fillWidth: true

                    MouseArea {
                        id: pathArea
                        anchors.fill: parent
                        hoverEnabled: true
                    }

                    ToolTip.visible: pathArea.containsMouse && questionPath.truncated
                    ToolTip.text: overwriteQuestion.path
                }
            }

            Button {
                objectName: "replace"
                text: qsTr("Replace")
                onClicked: {
                    overwriteQuestion.close()
                    flow.writeFiles()
                }
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Write every file, replacing those already there")
            }

            Button {
                objectName: "chooseAnother"
                text: qsTr("Choose Another Folder")
                onClicked: {
                    overwriteQuestion.close()
                    flow.folderWanted()
                }
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Write nothing and pick another folder (Escape closes)")
            }
        }
    }

    // While files are written the pairs cannot change; Cancel stops after the files in flight.
    PagePopup {
        id: exportProgress
        objectName: "exportProgress"

        parent: flow.page
        modal: true
        closePolicy: Popup.NoAutoClose
        visible: cvimage.exporter.running

        ColumnLayout {
            width: parent.width
            spacing: 12

            RowLayout {
                spacing: 16
                Layout.fillWidth: true

                Text {
                    text: qsTr("Exporting %1 of %2")
                          .arg(Math.min(cvimage.exporter.done + 1, cvimage.exporter.total))
                          .arg(cvimage.exporter.total)
                    color: Universal.foreground
                    font.pixelSize: 20
                    Layout.fillWidth: true
                }

                Button {
                    objectName: "cancelExport"
                    text: qsTr("Cancel")
                    onClicked: cvimage.exporter.cancel()
                    ToolTip.visible: hovered
                    ToolTip.text: qsTr("Stop after the files being written; those stay whole")
                }
            }

            ProgressBar {
                value: cvimage.exporter.total > 0 ? cvimage.exporter.done / cvimage.exporter.total : 0
                Layout.fillWidth: true
            }
        }
    }

    // Stays until the user dismisses it or exports again: the click that chose the folder must
    // not close it.
    PagePopup {
        id: exportFailure
        objectName: "exportFailure"

        property alias text: message.text

        parent: flow.page
        closePolicy: Popup.CloseOnEscape

        RowLayout {
            width: parent.width
            spacing: 16

            Text {
                id: message
                wrapMode: Text.Wrap
                color: Universal.foreground
                font.pixelSize: 20
                Layout.fillWidth: true
            }

            Button {
                text: qsTr("OK")
                onClicked: exportFailure.close()
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Close this message (Escape)")
            }
        }
    }

    // The files are written and the session stays: the folder can be opened from here.
    PagePopup {
        id: exportDone
        objectName: "exportDone"

        property alias text: doneMessage.text

        parent: flow.page
        closePolicy: Popup.CloseOnEscape

        RowLayout {
            width: parent.width
            spacing: 16

            Text {
                id: doneMessage
                wrapMode: Text.Wrap
                color: Universal.foreground
                font.pixelSize: 20
                Layout.fillWidth: true
            }

            Button {
                objectName: "openFolder"
                text: qsTr("Open Folder")
                onClicked: {
                    exportDone.close()
                    Qt.openUrlExternally(flow.exportTarget)
                }
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Show the written files")
            }

            Button {
                text: qsTr("OK")
                onClicked: exportDone.close()
                ToolTip.visible: hovered
                ToolTip.text: qsTr("Close this message (Escape)")
            }
        }
    }
}
