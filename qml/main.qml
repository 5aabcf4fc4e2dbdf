import QtQuick 2.2
import QtQuick.Controls 2.1
import QtQuick.Window 2.2
import com.tavo.opencv 1.0

ApplicationWindow {
    id: applicationWindow
    title: qsTr("Morvick2")
    visible: true
    width: 640
    height: 480
    minimumWidth: 600

    CvImage {
        id: cvimage
    }
}
