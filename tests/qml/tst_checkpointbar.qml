import QtQuick 2.2
import QtTest 1.2
import QtQuick.Controls.Universal 2.2
import "../../qml"

Item {
    width: 800
    height: 70

    CheckpointBar {
        id: bar
    }

    TestCase {
        name: "CheckpointBar"
        when: windowShown

        // The bar's children, left to right: circle, connector, circle, connector, circle.
        function circle(i) { return bar.children[2 * i].children[0] }
        function label(i) { return circle(i).children[0] }
        function connector(i) { return bar.children[2 * i + 1] }

        function expectColour(actual, highlighted) {
            verify(Qt.colorEqual(actual, highlighted ? bar.Universal.accent : "#333"),
                   actual + (highlighted ? " is not the accent" : " is not #333"))
        }

        function test_colours_data() {
            return [
                { tag: "step 1", step: 0, circles: [true, false, false], connectors: [false, false] },
                { tag: "step 2", step: 1, circles: [true, true, false], connectors: [true, false] },
                { tag: "step 3", step: 2, circles: [true, true, true], connectors: [true, true] }
            ]
        }

        function test_colours(data) {
            bar.currentStep = data.step
            for (var i = 0; i < 3; ++i) {
                expectColour(circle(i).color, data.circles[i])
                verify(Qt.colorEqual(label(i).color, data.circles[i] ? "#333" : "#777"))
                compare(label(i).text, String(i + 1))
            }
            for (var k = 0; k < 2; ++k)
                expectColour(connector(k).color, data.connectors[k])
        }

        function test_geometry() {
            for (var i = 0; i < 3; ++i) {
                compare(circle(i).width, 50)
                compare(circle(i).height, 50)
                compare(bar.children[2 * i].y, 11)
            }
            compare(bar.children[0].x, 11)
            compare(bar.children[4].x + 50, bar.width - 11)
            for (var k = 0; k < 2; ++k) {
                compare(connector(k).y, 32)
                compare(connector(k).height, 10)
                // Each connector runs 3 pixels under both neighbouring circles.
                compare(connector(k).x, bar.children[2 * k].x + 50 - 3)
                compare(connector(k).x + connector(k).width, bar.children[2 * k + 2].x + 3)
            }
            compare(connector(0).width, connector(1).width)
        }
    }
}
