#pragma once

class QQmlEngine;

// Makes CvImage and the two image providers known to an engine, as the application does.
void prepareEngine(QQmlEngine *engine);
