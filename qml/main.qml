import QtQuick 2.9
import QtQuick.Controls 2.1
import QtQuick.Layouts 1.3
import QtQuick.Window 2.2
import QtQuick.Controls.Universal 2.1
import QtQuick.Dialogs 1.2
import Qt.labs.settings 1.0
import com.tavo.opencv 1.0

ApplicationWindow {
    id: applicationWindow

    property int currentPage: 0

    title: qsTr("Morvick2")
    visible: true
    visibility: Window.Maximized
    width: 640
    height: 480
    minimumWidth: 600

    CvImage {
        id: cvimage
    }

    header: ToolBar {
        height: 70
        width: parent.width

        CheckpointBar {
            id: checkpointBar
        }
    }

    footer: ToolBar {
        height: 50
        width: parent.width

        Button {
            id: addPhotos
            objectName: "addPhotos"
            text: "Add Photos…"
            width: 160
            height: 50
            visible: checkpointBar.currentStep == 0
            onClicked: importPage.addPhotos()
            ToolTip.visible: hovered
            ToolTip.text: "Add photos from a folder (Ctrl+O)"
        }

        Text {
            objectName: "photoCount"
            anchors.left: addPhotos.right
            anchors.leftMargin: 20
            anchors.verticalCenter: parent.verticalCenter
            visible: checkpointBar.currentStep == 0 && cvimage.photos.count > 0
            text: cvimage.photos.count + (cvimage.photos.count === 1 ? " photo" : " photos")
            color: Universal.foreground
            font.pixelSize: 18
        }

        Button {
            id: toEdit
            text: "Next"
            width: 100
            height: 50
            anchors.right: parent.right
            visible: checkpointBar.currentStep == 0
            enabled: importPage.canContinue
            onClicked: {
                checkpointBar.currentStep = 1
                currentPage = 1
            }
            ToolTip.visible: hovered
            ToolTip.text: "Choose the crops (Ctrl+Return)"
        }

        Button {
            id: toStitch
            text: "Next"
            width: 100
            height: 50
            anchors.right: parent.right
            visible: checkpointBar.currentStep == 1
            // The pairs are chosen among all photos of the session: wait for the import.
            enabled: !cvimage.importer.running
            onClicked: {
                checkpointBar.currentStep = 2
                currentPage = 2
                stitch.sources = editPage.getSources()
            }
            ToolTip.visible: hovered
            ToolTip.text: "Pair the photos (Ctrl+Return)"
        }

        Button {
            id: toExport
            text: "Export"
            width: 100
            height: 50
            anchors.right: parent.right
            visible: checkpointBar.currentStep == 2
            enabled: !cvimage.exporter.running
            onClicked: fileDialog.visible = true
            ToolTip.visible: hovered
            ToolTip.text: "Write every photo and pair into a folder (Ctrl+E)"
        }
    }

    StackLayout {
        id: stackLayout
        anchors.fill: parent
        currentIndex: currentPage

        ImportPage {
            id: importPage
        }

        EditPage {
            id: editPage
        }

        StitchPage {
            id: stitch
            onFolderWanted: fileDialog.visible = true
        }
    }

    Shortcut {
        sequence: StandardKey.Open
        enabled: checkpointBar.currentStep == 0
        onActivated: importPage.addPhotos()
    }

    Shortcut {
        sequences: ["Ctrl+Return", "Ctrl+Enter"]
        onActivated: {
            var next = checkpointBar.currentStep == 0 ? toEdit : toStitch
            if (checkpointBar.currentStep < 2 && next.enabled)
                next.clicked()
        }
    }

    Shortcut {
        sequence: "Ctrl+E"
        enabled: checkpointBar.currentStep == 2 && toExport.enabled
        onActivated: toExport.clicked()
    }

    Shortcut {
        sequence: StandardKey.SelectAll
        enabled: checkpointBar.currentStep == 1
        onActivated: editPage.selectAll()
    }

    // The large crop view closes on Escape itself.
    Shortcut {
        sequence: "Escape"
        enabled: checkpointBar.currentStep == 1 && !editPage.editorOpen
        onActivated: editPage.deselectAll()
    }

    Shortcut {
        sequence: StandardKey.Delete
        enabled: checkpointBar.currentStep == 1
        onActivated: editPage.removeSelected()
    }

    // Where the window was and where the last export went, for the next run.
    Settings {
        category: "window"
        property alias width: applicationWindow.width
        property alias height: applicationWindow.height
        property alias visibility: applicationWindow.visibility
        property alias exportFolder: fileDialog.folder
    }

    FileDialog {
        id: fileDialog
        title: "Choose the export folder"
        selectFolder: true
        visible: false
        // The chosen folder itself; the URL is turned into a local path where it is used.
        onAccepted: stitch.exportFiles(fileUrl)
    }
}
