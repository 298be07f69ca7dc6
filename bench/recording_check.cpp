#include "bench/recording_check.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/sync_scene.h"
#include "tests/engine/media_probe.h"

namespace {

constexpr double kHopSeconds = 0.005;
constexpr double kWindowSeconds = 0.010;
constexpr double kBurstLevel = 0.1;  // the burst plays at about 0.49 of full scale
constexpr double kFlashLuma = 128;
constexpr double kMaxPairDistance = 0.5;

std::vector<double> FlashOnsets(const std::wstring& path) {
    const int inset = 20;
    std::vector<PictureSample> luma =
        RegionLuma(path, kFlashRect.left + inset, kFlashRect.top + inset,
                   kFlashRect.right - kFlashRect.left - 2 * inset, kFlashRect.bottom - kFlashRect.top - 2 * inset);
    std::vector<double> onsets;
    for (size_t i = 1; i < luma.size(); ++i)
        if (luma[i].luma > kFlashLuma && luma[i - 1].luma <= kFlashLuma) onsets.push_back(luma[i].seconds);
    return onsets;
}

std::vector<double> BurstOnsets(const std::wstring& path) {
    const DecodedSound sound = DecodeSound(path);
    std::vector<double> onsets;
    if (sound.channels.empty() || sound.sampleRate <= 0) return onsets;
    const std::vector<float>& samples = sound.channels[0];
    const size_t hop = size_t(kHopSeconds * sound.sampleRate);
    const size_t window = size_t(kWindowSeconds * sound.sampleRate);
    bool above = false;
    for (size_t at = 0; at + window <= samples.size(); at += hop) {
        const bool now = ToneAmplitude(samples, sound.sampleRate, kBurstHz, at, window) > kBurstLevel;
        if (now && !above) onsets.push_back(sound.startSeconds + double(at) / sound.sampleRate);
        above = now;
    }
    return onsets;
}

}  // namespace

RecordingCheck CheckRecording(const std::wstring& path) {
    RecordingCheck check;
    const ProbedFile file = ProbeFile(path);
    const ProbedStream* video = file.Find(AVMEDIA_TYPE_VIDEO);
    if (!file.opened || !video) return check;
    check.opened = true;
    check.pictures = int(video->pts.size());
    check.videoSeconds = video->Seconds();
    const std::vector<double> bursts = BurstOnsets(path);
    double sum = 0;
    for (double flash : FlashOnsets(path)) {
        double best = kMaxPairDistance;
        for (double burst : bursts)
            if (std::fabs(burst - flash) < std::fabs(best)) best = burst - flash;
        if (std::fabs(best) >= kMaxPairDistance) continue;
        ++check.pairs;
        sum += best;
        if (std::fabs(best) > std::fabs(check.worstOffsetMs / 1000)) check.worstOffsetMs = best * 1000;
    }
    if (check.pairs) check.meanOffsetMs = sum / check.pairs * 1000;
    return check;
}

void PrintOnsets(const std::wstring& path) {
    printf("flashes:");
    for (double t : FlashOnsets(path)) printf(" %.3f", t);
    printf("\nbursts: ");
    for (double t : BurstOnsets(path)) printf(" %.3f", t);
    printf("\n");
}
