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

    // Goes to a step, forward or back.
    function goTo(step) {
        checkpointBar.currentStep = step
        currentPage = step
    }

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
            reachableStep: !importPage.canContinue ? 0 : toStitch.enabled ? 2 : 1
            enabled: !cvimage.exporter.running
            onStepClicked: goTo(step)
        }
    }

    footer: ToolBar {
        height: 50
        width: parent.width

        Button {
            id: back
            objectName: "back"
            text: qsTr("Back")
            // Wide enough for its text in every language.
            width: Math.max(100, implicitWidth)
            height: 50
            visible: checkpointBar.currentStep > 0
            enabled: !cvimage.exporter.running
            onClicked: goTo(checkpointBar.currentStep - 1)
            ToolTip.visible: hovered
            ToolTip.text: qsTr("Go back a step; nothing is lost (Alt+Left)")
        }

        Button {
            id: addPhotos
            objectName: "addPhotos"
            text: qsTr("Add Photos…")
            width: Math.max(160, implicitWidth)
            height: 50
            anchors.left: back.visible ? back.right : parent.left
            anchors.leftMargin: back.visible ? 10 : 0
            enabled: !cvimage.exporter.running
            onClicked: importPage.addPhotos()
            ToolTip.visible: hovered
            ToolTip.text: qsTr("Add photos from a folder (Ctrl+O)")
        }

        Button {
            id: undo
            objectName: "undo"
            text: qsTr("Undo")
            // Wide enough for its text in every language.
            width: Math.max(100, implicitWidth)
            height: 50
            anchors.left: addPhotos.right
            anchors.leftMargin: 10
            enabled: cvimage.history.canUndo && !cvimage.exporter.running
            onClicked: cvimage.history.undo()
            ToolTip.visible: hovered
            ToolTip.text: qsTr("Undo %1 (Ctrl+Z)").arg(cvimage.history.undoText)
        }

        Button {
            id: redo
            objectName: "redo"
            text: qsTr("Redo")
            // Wide enough for its text in every language.
            width: Math.max(100, implicitWidth)
            height: 50
            anchors.left: undo.right
            anchors.leftMargin: 10
            enabled: cvimage.history.canRedo && !cvimage.exporter.running
            onClicked: cvimage.history.redo()
            ToolTip.visible: hovered
            ToolTip.text: qsTr("Redo %1 (Ctrl+Shift+Z)").arg(cvimage.history.redoText)
        }

        Text {
            objectName: "photoCount"
            anchors.left: redo.right
            anchors.leftMargin: 20
            anchors.verticalCenter: parent.verticalCenter
            visible: checkpointBar.currentStep == 0 && cvimage.photos.count > 0
            text: qsTr("%n photo(s)", "", cvimage.photos.count)
            color: Universal.foreground
            font.pixelSize: 18
        }

        Button {
            id: toEdit
            text: qsTr("Next")
            // Wide enough for its text in every language.
            width: Math.max(100, implicitWidth)
            height: 50
            anchors.right: parent.right
            visible: checkpointBar.currentStep == 0
            enabled: importPage.canContinue
            onClicked: goTo(1)
            ToolTip.visible: hovered
            ToolTip.text: qsTr("Choose the crops (Ctrl+Return)")
        }

        Button {
            id: toStitch
            text: qsTr("Next")
            // Wide enough for its text in every language.
            width: Math.max(100, implicitWidth)
            height: 50
            anchors.right: parent.right
            visible: checkpointBar.currentStep == 1
            // The pairs are chosen among all photos of the session: wait for the import.
            enabled: !cvimage.importer.running
            onClicked: goTo(2)
            ToolTip.visible: hovered
            ToolTip.text: qsTr("Pair the photos (Ctrl+Return)")
        }

        Button {
            id: toExport
            text: qsTr("Export")
            // Wide enough for its text in every language.
            width: Math.max(100, implicitWidth)
            height: 50
            anchors.right: parent.right
            visible: checkpointBar.currentStep == 2
            enabled: !cvimage.exporter.running
            onClicked: fileDialog.visible = true
            ToolTip.visible: hovered
            ToolTip.text: qsTr("Write every photo and pair into a folder (Ctrl+E)")
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

    // Photos may be dropped on every step; the import page takes its own drops.
    DropArea {
        anchors.fill: stackLayout
        enabled: checkpointBar.currentStep > 0
        onDropped: cvimage.importUrls(drop.urls)
    }

    // Files dropped or chosen again are skipped, with one notice for them all.
    Notice {
        id: duplicates
        objectName: "duplicates"

        property var skipped: []

        anchors.bottomMargin: 140
        visible: false
        dismissable: true
        actionText: qsTr("Add Anyway")
        text: qsTr("%n photo(s) are in the session already and were not added again.", "",
                   skipped.length)
        onAction: {
            visible = false
            cvimage.importUrls(skipped, true)
        }
    }

    Connections {
        target: cvimage
        function onDuplicatesSkipped(urls) {
            duplicates.skipped = urls
            duplicates.visible = true
        }
    }

    Shortcut {
        sequence: "Ctrl+Z"
        enabled: undo.enabled
        onActivated: undo.clicked()
    }

    Shortcut {
        sequences: ["Ctrl+Shift+Z", "Ctrl+Y"]
        enabled: redo.enabled
        onActivated: redo.clicked()
    }

    Shortcut {
        sequence: "Ctrl+L"
        enabled: checkpointBar.currentStep == 1
        onActivated: editPage.rotateSelected(-1)
    }

    Shortcut {
        sequence: "Ctrl+R"
        enabled: checkpointBar.currentStep == 1
        onActivated: editPage.rotateSelected(1)
    }

    Shortcut {
        sequence: "Alt+Left"
        enabled: checkpointBar.currentStep > 0 && back.enabled
        onActivated: back.clicked()
    }

    Shortcut {
        sequence: StandardKey.Open
        enabled: addPhotos.enabled
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
        sequence: "Delete"
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

    Settings {
        category: "import"
        property alias allowDuplicates: cvimage.allowDuplicates
    }

    FileDialog {
        id: fileDialog
        title: qsTr("Choose the export folder")
        selectFolder: true
        visible: false
        // The chosen folder itself; the URL is turned into a local path where it is used.
        onAccepted: stitch.exportFiles(fileUrl)
    }
}
