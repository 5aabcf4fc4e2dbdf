#pragma once

#include "image/export.h"
#include "image/imageoptions.h"
#include "image/pair.h"

#include <QString>
#include <QStringList>
#include <QVector>

// What one run of the command-line tool is asked to do.
struct BatchOptions
{
    struct Pair
    {
        int left = 0;
        int right = 0;
    };

    QString output;
    QStringList inputs;
    // A session file saved by the window, exported as it would (the inputs and the options of
    // the photos and the export then unused).
    QString session;
    // crop, padding and maxWidth for every photo; the index is unused.
    ImageOptions image;
    QVector<Pair> pairs;
    PairStyle pairStyle;
    bool originalNames = false;
    ExportFormat format;
    int jobs = 1;
    // What the workers' images may take together, in bytes.
    qint64 budget = qint64(512) << 20;
    bool force = false;
    bool quiet = false;
};

// The outcome of reading the command line: options to run, or a text to print and an exit
// status (0 for --help and --version on standard output, 2 for a usage error on standard error).
struct BatchCommand
{
    BatchOptions options;
    bool run = false;
    int exitCode = 0;
    QString text;
};

// Reads the arguments (the program name first), as QCommandLineParser sees them.
BatchCommand parseBatchCommand(const QStringList &arguments);
