import QtQuick 2.9
import QtQuick.Controls 2.2
import QtQuick.Controls.Universal 2.2
import QtQuick.Dialogs 1.2
import QtQuick.Layouts 1.3

// Saving and opening the session, restoring it after a crash, and the question before its work
// is thrown away. The questions are shown over page.
Item {
    id: control

    // Where the questions and messages are shown.
    property Item page
    // The window's title: the session's name and a mark while its work is not kept.
    readonly property string title: {
        var name = cvimage.sessionName !== "" ? cvimage.sessionName
                                               : cvimage.modified ? qsTr("Untitled session") : ""
        if (name === "")
            return qsTr("Morvick2")
        return (cvimage.modified ? name + "*" : name) + " – " + qsTr("Morvick2")
    }
    // Work that would be lost by closing now.
    readonly property bool unkept: cvimage.modified && cvimage.photos.count > 0
    // What happens once a save asked for by the close question is done.
    property var afterSave: null

    signal closeConfirmed
    signal opened

    function save() {
        if (cvimage.sessionFile === "") {
            saveAs()
            return
        }
        cvimage.saveSession(cvimage.sessionFile)
    }

    function saveAs() {
        saveDialog.open()
    }

    function finishSave(error) {
        if (error !== "") {
            message.text = qsTr("The session could not be saved: %1").arg(error)
            message.visible = true
            afterSave = null
            return
        }
        if (afterSave) {
            var next = afterSave
            afterSave = null
            next()
        }
    }

    function open() {
        ask(function () { openDialog.open() })
    }

    // Opens a session file given by URL or path, asking first when work would be lost.
    function openFile(file) {
        ask(function () { openNow(file) })
    }

    function openNow(file) {
        var error = cvimage.openSession(file)
        if (error !== "") {
            message.text = qsTr("The session could not be opened: %1").arg(error)
            message.visible = true
            return
        }
        opened()
    }

    // Runs then now, or after the user chose to save or discard the session's work.
    function ask(then) {
        if (!unkept) {
            then()
            return
        }
        closeQuestion.then = then
        closeQuestion.open()
    }

    // For the window's closing: false when it must wait for the user's answer.
    function mayClose() {
        if (!unkept)
            return true
        ask(function () { control.closeConfirmed() })
        return false
    }

    Component.onCompleted: {
        if (cvimage.recoveryFile !== "")
            recoveryQuestion.open()
    }

    Connections {
        target: cvimage
        function onSessionSaved(error) {
            control.finishSave(error)
        }
        function onSessionOpened(missing, changed) {
            var lines = []
            if (missing.length > 0)
                lines.push(qsTr("%n photo(s) of the session could not be found: %1.", "",
                                missing.length).arg(missing.join(", ")))
            if (changed.length > 0)
                lines.push(qsTr("%n photo(s) changed since the session was saved: %1.", "",
                                changed.length).arg(changed.join(", ")))
            if (lines.length === 0)
                return
            message.text = lines.join("\n")
            message.visible = true
        }
    }

    Notice {
        id: message
        objectName: "sessionMessage"
        parent: control.page
        visible: false
        dismissable: true
        anchors.bottomMargin: 200
    }

    PagePopup {
        id: closeQuestion
        objectName: "closeQuestion"

        property var then: null

        parent: control.page
        modal: true
        closePolicy: Popup.CloseOnEscape

        RowLayout {
            width: parent.width
            spacing: 16

            Text {
                objectName: "closeQuestionText"
                text: qsTr("Close and discard the work on %n photo(s)?", "", cvimage.photos.count)
                wrapMode: Text.Wrap
                color: Universal.foreground
                font.pixelSize: 20
                Layout.fillWidth: true
            }

            Button {
                objectName: "saveWork"
                text: qsTr("Save")
                onClicked: {
                    closeQuestion.close()
                    control.afterSave = closeQuestion.then
                    control.save()
                }
            }

            Button {
                objectName: "discardWork"
                text: qsTr("Discard")
                onClicked: {
                    closeQuestion.close()
                    closeQuestion.then()
                }
            }

            Button {
                objectName: "keepWork"
                text: qsTr("Cancel")
                onClicked: closeQuestion.close()
            }
        }
    }

    PagePopup {
        id: recoveryQuestion
        objectName: "recoveryQuestion"

        parent: control.page
        modal: true
        closePolicy: Popup.NoAutoClose

        RowLayout {
            width: parent.width
            spacing: 16

            Text {
                text: qsTr("The last session ended unexpectedly. Restore its work on %n photo(s)?",
                           "", cvimage.recoveryPhotos)
                wrapMode: Text.Wrap
                color: Universal.foreground
                font.pixelSize: 20
                Layout.fillWidth: true
            }

            Button {
                objectName: "restore"
                text: qsTr("Restore")
                onClicked: {
                    recoveryQuestion.close()
                    cvimage.restoreRecovery()
                    control.opened()
                }
            }

            Button {
                objectName: "discardRecovery"
                text: qsTr("Discard")
                onClicked: {
                    recoveryQuestion.close()
                    cvimage.discardRecovery()
                }
            }
        }
    }

    // Where the session file is, or the home folder for a new one.
    readonly property url dialogFolder: cvimage.sessionFile !== ""
                                        ? "file://" + cvimage.sessionFile.replace(/\/[^\/]*$/, "")
                                        : saveDialog.shortcuts.home

    FileDialog {
        id: saveDialog
        title: qsTr("Save the session")
        folder: control.dialogFolder
        selectExisting: false
        nameFilters: [qsTr("Morvick2 sessions (*.morvick2)")]
        onAccepted: cvimage.saveSession(fileUrl)
        onRejected: control.afterSave = null
    }

    FileDialog {
        id: openDialog
        title: qsTr("Open a session")
        folder: control.dialogFolder
        nameFilters: [qsTr("Morvick2 sessions (*.morvick2)")]
        onAccepted: control.openNow(fileUrl)
    }
}
