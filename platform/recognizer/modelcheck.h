// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files of an acoustic model and its dictionaries, checked before the recognizer library
// reads them. The library trusts the counts in a file's header and reads (or maps) that much:
// a file cut short or damaged ends the whole process. Each file must have its format's header
// and exactly the data its header declares, and the files must agree with each other.
#include "platform/recognizer/models.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qv {

// What the files checked so far say of the model; 0 or empty: not known yet.
struct ModelShape {
    QStringList phones;       // base phones of mdef
    int senones = 0;          // mdef, mixture weights
    int transitions = 0;      // transition matrices: mdef, transition_matrices
    int emitStates = 0;       // states per phone: mdef, transition_matrices
    int streams = 0;          // feature streams: means, variances, mixture weights, feat.params
    int densities = 0;        // Gaussians per codebook: means, variances, mixture weights
    QList<int> streamLengths; // means, variances, feat.params
};

// The files a model folder must hold for the decoder, in the order they are checked.
// "mixture_weights" stands for itself or for "sendump", whichever the folder holds.
QStringList modelFileNames();

// Checks one file's bytes by its name ("mdef", "means", "variances", "mixture_weights",
// "sendump", "transition_matrices", "feat.params", "noisedict", or a dictionary "*.dict")
// against its format and against what shape already holds, which it completes. False, with a
// short reason, for a file the decoder must not be given.
bool checkModelFile(const QString& name, const QByteArray& bytes, ModelShape* shape,
                    QString* problem);

// Every file of the model that the decoder will read, checked whole: PocketSphinx ends the whole
// process on damaged model files. False with a problem naming the file.
bool checkModelFiles(const SpeechModel& model, QString* problem);

} // namespace qv
