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

    title: sessionControl.title
    visible: true
    visibility: Window.Maximized
    width: 640
    height: 480
    minimumWidth: 600

    CvImage {
        id: cvimage
    }

    // The user chose to let the session's work go: the window closes without asking again.
    property bool discardConfirmed: false

    onClosing: {
        if (!discardConfirmed && !sessionControl.mayClose())
            close.accepted = false
    }

    SessionControl {
        id: sessionControl
        page: applicationWindow.contentItem
        onCloseConfirmed: {
            applicationWindow.discardConfirmed = true
            applicationWindow.close()
        }
        onOpened: {
            importPage.canContinue = true
            goTo(0)
        }
    }

    // Photos, or a session file, dropped or given on the command line.
    function takeUrls(urls) {
        if (urls.length === 1 && cvimage.isSessionFile(urls[0])) {
            sessionControl.openFile(urls[0])
            return false
        }
        cvimage.importUrls(urls)
        return true
    }

    Component.onCompleted: {
        var given = Qt.application.arguments.slice(1).filter(function (argument) {
            return cvimage.isSessionFile(argument)
        })
        if (given.length > 0)
            sessionControl.openFile(given[0])
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

        Button {
            id: sessionButton
            objectName: "sessionButton"
            text: qsTr("Session")
            width: Math.max(120, implicitWidth)
            height: 50
            anchors.left: redo.right
            anchors.leftMargin: 10
            enabled: !cvimage.exporter.running
            onClicked: sessionMenu.open()
            ToolTip.visible: hovered && !sessionMenu.visible
            ToolTip.text: qsTr("Save the session to go on later, or open a saved one")

            Menu {
                id: sessionMenu
                y: -height

                MenuItem {
                    objectName: "saveSession"
                    text: qsTr("Save Session (Ctrl+S)")
                    onTriggered: sessionControl.save()
                }
                MenuItem {
                    objectName: "saveSessionAs"
                    text: qsTr("Save Session As… (Ctrl+Shift+S)")
                    onTriggered: sessionControl.saveAs()
                }
                MenuItem {
                    objectName: "openSession"
                    text: qsTr("Open Session… (Ctrl+Shift+O)")
                    enabled: !cvimage.importer.running
                    onTriggered: sessionControl.open()
                }
            }
        }

        Text {
            objectName: "photoCount"
            anchors.left: sessionButton.right
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
        onDropped: takeUrls(drop.urls)
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
        sequence: StandardKey.Save
        enabled: sessionButton.enabled
        onActivated: sessionControl.save()
    }

    Shortcut {
        sequence: "Ctrl+Shift+S"
        enabled: sessionButton.enabled
        onActivated: sessionControl.saveAs()
    }

    Shortcut {
        sequence: "Ctrl+Shift+O"
        enabled: sessionButton.enabled && !cvimage.importer.running
        onActivated: sessionControl.open()
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
