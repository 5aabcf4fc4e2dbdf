.pragma library

function toggleCrop(image) {
    image.crop = !image.crop
}

// Columns of a tile grid as wide as width: as many 228-pixel steps as fit after the 20-pixel
// inset, the fraction dropped.
function gridColumns(width, extra) {
    var remainder = (width - 20) % 228
    return Math.floor((width - remainder) / 228 + extra)
}
