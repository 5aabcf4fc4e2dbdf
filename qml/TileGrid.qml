import QtQuick 2.2

// A grid of tiles that the keyboard reaches: Tab gives it the focus, the arrows and Home and End
// move the current tile, Space toggles it and Enter opens it. Tiles show the current one while the
// grid has the focus; the grid keeps it in view of the scroll view given.
Grid {
    id: tileGrid

    property int count: 0
    property int current: 0
    property Item scrollView
    // What a screen reader says of the grid.
    property string name
    // The band of the grid its scroll view shows, in the grid's coordinates.
    readonly property real shownTop: scrollView ? scrollView.contentItem.contentY : 0
    readonly property real shownBottom: shownTop + (scrollView ? scrollView.height : height)

    signal toggled(int index)
    signal opened(int index)

    activeFocusOnTab: true
    Accessible.role: Accessible.List
    Accessible.name: name

    function move(to) {
        if (count > 0)
            current = Math.max(0, Math.min(count - 1, to))
    }

    onCountChanged: move(current)
    onCurrentChanged: ensureVisible(currentTile())

    // The current tile: the child the positioner placed at that index.
    function currentTile() {
        var tiles = []
        for (var i = 0; i < children.length; ++i)
            if (children[i].visible && children[i].width > 0)
                tiles.push(children[i])
        return tiles[current]
    }

    function ensureVisible(tile) {
        if (!tile || !scrollView)
            return
        var view = scrollView.contentItem
        if (tile.y < view.contentY)
            view.contentY = tile.y
        else if (tile.y + tile.height > view.contentY + view.height)
            view.contentY = tile.y + tile.height - view.height
    }

    Keys.onPressed: {
        // Shortcuts with a modifier (Ctrl+Return, Alt+Left) belong to the window.
        if (event.modifiers & (Qt.ControlModifier | Qt.AltModifier | Qt.MetaModifier))
            return
        switch (event.key) {
        case Qt.Key_Left: move(current - 1); break
        case Qt.Key_Right: move(current + 1); break
        case Qt.Key_Up: move(current - columns); break
        case Qt.Key_Down: move(current + columns); break
        case Qt.Key_Home: move(0); break
        case Qt.Key_End: move(count - 1); break
        case Qt.Key_Space:
            if (count > 0)
                toggled(current)
            break
        case Qt.Key_Return:
        case Qt.Key_Enter:
            if (count > 0)
                opened(current)
            break
        default:
            return
        }
        event.accepted = true
    }
}
