import QtQuick 2.2
import QtQuick.Layouts 1.3
import QtQuick.Controls.Universal 2.2
import QtQuick.Controls 2.2

RowLayout {
    property int currentStep: 0
    // The furthest step that can be gone to now.
    property int reachableStep: 0

    signal stepClicked(int step)

    anchors.fill: parent
    spacing: 0

    Checkpoint {
        id: checkpoint1
        objectName: "step1"
        text: "1"
        label: qsTr("1. Photos: drop or add them")
        caption: qsTr("Photos")
        reachable: 0 <= reachableStep && 0 !== currentStep
        onClicked: stepClicked(0)
        active: true
        z: 2
        Layout.fillWidth: true
        Layout.maximumWidth: 50
        Layout.fillHeight: true
        Layout.topMargin: 11
        Layout.leftMargin: 11
    }

    // Connectors reach 3 pixels under their neighbouring circles, so the bar shows no gap.
    Rectangle {
        color: currentStep > 0 ? Universal.accent : "#333"
        z: 1
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.topMargin: 32
        Layout.bottomMargin: 28
        Layout.leftMargin: -3
        Layout.rightMargin: -3
    }

    Checkpoint {
        id: checkpoint2
        objectName: "step2"
        text: "2"
        label: qsTr("2. Crops: choose what to crop")
        caption: qsTr("Crops")
        reachable: 1 <= reachableStep && 1 !== currentStep
        onClicked: stepClicked(1)
        active: currentStep > 0
        z: 2
        Layout.fillWidth: true
        Layout.maximumWidth: 50
        Layout.fillHeight: true
        Layout.topMargin: 11
    }

    Rectangle {
        color: currentStep > 1 ? Universal.accent : "#333"
        z: 1
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.topMargin: 32
        Layout.bottomMargin: 28
        Layout.leftMargin: -3
        Layout.rightMargin: -3
    }

    Checkpoint {
        id: checkpoint3
        objectName: "step3"
        text: "3"
        label: qsTr("3. Pairs: pair and export")
        caption: qsTr("Pairs and Export")
        captionOnLeft: true
        reachable: 2 <= reachableStep && 2 !== currentStep
        onClicked: stepClicked(2)
        active: currentStep > 1
        z: 2
        Layout.fillWidth: true
        Layout.maximumWidth: 50
        Layout.fillHeight: true
        Layout.topMargin: 11
        Layout.rightMargin: 11
    }
}
