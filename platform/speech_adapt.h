// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Adapting the acoustic model to a pupil's voice: one linear transform of the model's Gaussian
// means per feature stream (maximum likelihood linear regression), estimated from the commands
// the pupil said at enrolment, each aligned to the phones of what was asked for. The warp moves
// a voice's formants as a whole; the transform can also fit the pupil's microphone and the
// pupil's vowels. Ten commands are little data for a transform of 546 values, so the estimate
// is drawn toward "no change" by a prior.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace qv {

// The means or the variances of a model's Gaussians: codebooks, each with the same number of
// densities in every feature stream.
struct Gaussians {
    int codebooks = 0;
    int densities = 0;
    std::vector<int> lengths;  // of each stream
    std::vector<float> values; // by codebook, stream, density, dimension
    size_t at(int codebook, int stream, int density) const;
    int width() const; // of a frame: all streams one after another
};

// Reads a model's means or variances file; false with a problem when it is not one, or is cut
// short or damaged.
bool parseGaussians(const QByteArray& bytes, Gaussians* out, QString* problem);
// The base phones of a binary model definition, in their order, which is the order of the
// codebooks of a phonetically tied model.
bool parseBasePhones(const QByteArray& bytes, QStringList* out, QString* problem);

// mean' = A mean + b in each stream; the variances are left as they are.
struct MeanTransform {
    std::vector<int> lengths;
    std::vector<std::vector<double>> a; // per stream, rows first
    std::vector<std::vector<double>> b;
    static MeanTransform identity(const std::vector<int>& lengths);
};

// The text the recognizer reads a transform from.
QByteArray formatMeanTransform(const MeanTransform& transform);
// False with a problem when the text is no transform for streams of these lengths, or holds a
// value that is no finite number, or one no voice would need. The recognizer reads such a file
// without looking at it, so it is looked at first.
bool parseMeanTransform(const QByteArray& text, const std::vector<int>& lengths, MeanTransform* out,
                        QString* problem);

// A model's codebooks with what scoring a frame needs.
class Codebooks {
public:
    Codebooks() = default;
    Codebooks(Gaussians means, const Gaussians& variances, QStringList phones);
    // The means, variances and base phones of the model in that folder.
    bool load(const QString& acousticModel, QString* problem);

    int codebook(const QString& phone) const { return int(phones_.indexOf(phone)); }
    const Gaussians& means() const { return means_; }
    // The frame's log likelihood in a codebook, its densities weighed alike, over all streams.
    double score(const float* frame, int codebook) const;
    // How much each density of one stream of a codebook accounts for the frame (sums to 1).
    void posteriors(const float* frame, int codebook, int stream, std::vector<double>* out) const;
    double inverseVariance(int codebook, int stream, int density, int dimension) const {
        return inverse_[means_.at(codebook, stream, density) + size_t(dimension)];
    }

private:
    double streamScore(const float* frame, int codebook, int stream,
                       std::vector<double>* each) const;

    Gaussians means_;
    std::vector<float> inverse_; // 1 / variance
    std::vector<double> norm_;   // each density's log normalizer, by codebook, stream, density
    std::vector<int> offsets_;   // of each stream in a frame
    QStringList phones_;
};

// What the frames of one voice say about how its means lie against the model's.
class AdaptationStatistics {
public:
    explicit AdaptationStatistics(const Codebooks& codebooks);
    // A frame (all streams) that belongs to this codebook.
    void add(const float* frame, int codebook);
    double frames() const { return frames_; }
    // The transform that fits the frames best, drawn toward no change as if prior more frames
    // had been seen that fit the model as it is.
    MeanTransform solve(double prior) const;

private:
    const Codebooks& codebooks_;
    double frames_ = 0;
    std::vector<double> occupancy_; // by codebook, stream, density
    std::vector<double> sums_;      // by codebook, stream, density, dimension
};

// The best way through the frames in the order of the elements, each element at least its
// minFrames; element per frame. With optionalEnds the first and the last element (the silence
// around the words) may be left out. Empty when there are too few frames.
std::vector<int> alignInOrder(const std::vector<std::vector<double>>& scores,
                              const std::vector<int>& minFrames, bool optionalEnds);

} // namespace qv
