#pragma once

class QQmlEngine;

// Makes the QML type CvImage ("com.tavo.opencv" 1.0) and the image providers "cv", "stitch" and
// "photo" known to an engine, before it loads a document that uses them.
void registerWithEngine(QQmlEngine *engine);
