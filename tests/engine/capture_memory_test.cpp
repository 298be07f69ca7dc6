// FFmpeg's blocks come from the allocator that reuses them: the next picture's block is
// memory already in the process's working set, not fresh pages, and FFmpeg's own free
// and realloc take what its malloc gave.
#include <windows.h>
#include <gtest/gtest.h>
#include <psapi.h>

#include <mimalloc.h>

#include <cstring>
#include <thread>
#include <vector>

extern "C" {
#include <libavcodec/packet.h>
#include <libavutil/mem.h>
}

#include "engine/capture_memory.h"

namespace {

constexpr size_t kPictureBytes = 1920 * 1080 * 4;  // one BGR0 picture of a 1080p screen

// Whether the page holding `at` is in the working set (touched, not a fresh page).
bool InWorkingSet(const void* at) {
    PSAPI_WORKING_SET_EX_INFORMATION info{};
    info.VirtualAddress = const_cast<void*>(at);
    return QueryWorkingSetEx(GetCurrentProcess(), &info, sizeof info) && info.VirtualAttributes.Valid;
}

TEST(CaptureMemory, FfmpegBlocksComeFromMimallocAndFreeAndReallocTakeThem) {
    void* block = av_malloc(kPictureBytes);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(mi_is_in_heap_region(block));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 16, 0u);  // FFmpeg's SIMD alignment
    block = av_realloc(block, 2 * kPictureBytes);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(mi_is_in_heap_region(block));
    av_free(block);  // a mismatched free would end the program here
}

TEST(CaptureMemory, APacketPerPictureGetsMemoryAlreadyInUse) {
    KeepPictureBlocksCommitted();
    // As FFmpeg's DirectShow input does: the device's thread puts each picture into a
    // packet of its own, 40 ms apart at 25 fps; the capture thread frees it once encoded.
    std::vector<bool> reused;
    std::thread device([&] {
        for (int picture = 0; picture < 6; ++picture) {
            AVPacket* packet = av_packet_alloc();
            if (av_new_packet(packet, int(kPictureBytes)) != 0) return;
            reused.push_back(InWorkingSet(packet->data + kPictureBytes / 2));
            memset(packet->data, picture, kPictureBytes);
            std::thread capture([packet]() mutable {
                void* smallBlocks[64];  // the encoder's and the muxer's own small allocations
                for (void*& block : smallBlocks) block = av_malloc(4096);
                av_packet_free(&packet);
                for (void* block : smallBlocks) av_free(block);
            });
            capture.join();
            Sleep(40);
        }
    });
    device.join();
    ASSERT_EQ(reused.size(), 6u);
    for (size_t picture = 1; picture < reused.size(); ++picture) EXPECT_TRUE(reused[picture]) << "picture " << picture;
}

}  // namespace
