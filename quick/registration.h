#pragma once

class QQmlEngine;
class Session;

// Gives an engine a session (its child) and makes the QML type CvImage ("com.tavo.opencv" 1.0)
// and the image providers "cv", "stitch" and "photo" of that session known to it, before it
// loads a document that uses them. Returns the session.
Session *registerWithEngine(QQmlEngine *engine);
