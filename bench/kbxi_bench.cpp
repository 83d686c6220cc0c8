// How long the interface library takes to download an image of the whole
// keyboard memory (8000 bytes) into the simulated keyboard over a serial
// port and to upload it again, as a ratio to the floor its conversation
// sets: the same number of bare one-byte round trips on the same
// pseudo-terminal (a byte written to the slave, the keyboard's 0xFA read
// back). Each byte the library sends is one round trip, and each reply text
// of a read frame is counted as one more. The keyboard answers as fast as it
// can; both are measured in the same run and the ratio is printed at the end.
//
// With --paced the simulated line carries both directions at 9600,O,8 (11
// bits a byte), and that download and upload is measured once more against
// the floor the line sets: every byte the library sends and every byte the
// keyboard answers on the wire one after the other (about 90 seconds). It
// also downloads a short image over that line through a simulated
// USB-serial adapter whose latency timer holds every answer, once at the
// 16 ms such adapters start with and once at the 1 ms their driver sets when
// the library asks for low latency (drivers/usb/serial/ftdi_sio.c,
// write_latency_timer), and prints what the request gains.
#include <benchmark/benchmark.h>

#include "bench/timing_reporter.h"
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "format/keyboard_protocol.h"
#include "kbxi32.h"
#include "iface/session.h"
#include "iface/state.h"
#include "kbxsim/simulator.h"

namespace {

constexpr std::size_t kImageLength = 8000;
constexpr std::size_t kShortImageLength = 320;  // a little more than the smallest image the library takes
constexpr std::chrono::milliseconds kDefaultAdapterLatency{16};
constexpr std::chrono::milliseconds kLowAdapterLatency{1};
constexpr char kMagic[] = "Vyrn";
constexpr std::size_t kLengthField = 6;
constexpr char kInterface[] = "COM1:9600,O,8";
constexpr char kPortVariable[] = "KBX_COM1";
constexpr char kPacedFlag[] = "--paced";
constexpr int kPacedBaud = 9600;
constexpr int kBitsPerByte = 11;  // of 9600,O,8: start bit, eight data bits, parity bit, stop bit

constexpr char kRoundTripsName[] = "ByteRoundTrips";
constexpr char kTransferName[] = "DownloadAndUpload";
constexpr char kPacedName[] = "DownloadAndUploadPaced9600";
constexpr char kDefaultLatencyName[] = "DownloadThroughAdapter16ms";
constexpr char kLowLatencyName[] = "DownloadThroughAdapter1ms";

// The conversation of one download and one upload of an image of `length`
// bytes, as the library holds it: write frames of up to 64 bytes from
// address 4 (2n+12 sends each), the checksum update (2) and the enable (1);
// then read frames of 16 bytes from address 0 up to and including the one at
// the image length (10 sends each, and the reply).
struct Conversation {
    std::uint64_t downloadSends = 0;
    std::uint64_t sends = 0;
    std::uint64_t replies = 0;
    std::uint64_t replyCharacters = 0;

    std::uint64_t roundTrips() const { return sends + replies; }
    std::uint64_t keyboardBytes() const { return sends + replyCharacters; }  // an answer to each send
};

Conversation conversationFor(std::size_t length) {
    constexpr std::size_t kFirstAddress = 4;
    constexpr std::size_t kWriteFrameData = 64;
    constexpr std::uint64_t kWriteFrameSends = 12;  // besides two per data byte
    constexpr std::uint64_t kClosingSends = 2 + 1;
    constexpr std::size_t kReadBlock = 16;
    constexpr std::uint64_t kReadFrameSends = 10;
    Conversation conversation;
    for (std::size_t p = kFirstAddress; p < length; p += kWriteFrameData) {
        conversation.sends += 2 * std::min(kWriteFrameData, length - p) + kWriteFrameSends;
    }
    conversation.sends += kClosingSends;
    conversation.downloadSends = conversation.sends;
    const std::uint64_t blocks = length / kReadBlock + 1;
    conversation.sends += blocks * kReadFrameSends;
    conversation.replies = blocks;
    conversation.replyCharacters = blocks * (2 * kReadBlock + 2);
    return conversation;
}

// An image of `length` bytes and the uploaded copy in a folder of their own.
class BenchFiles {
public:
    explicit BenchFiles(std::size_t length) : length_(length) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kbxibench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::system_error(errno, std::generic_category(), "mkdtemp");
        folder_ = pattern;
        std::vector<std::uint8_t> image(length);
        for (std::size_t i = 0; i < image.size(); ++i) image[i] = std::uint8_t(i * 7 + 3);
        std::memcpy(image.data(), kMagic, 4);
        image[kLengthField] = std::uint8_t(length >> 8);
        image[kLengthField + 1] = std::uint8_t(length & 0xFF);
        std::FILE* out = std::fopen(imagePath().c_str(), "wb");
        if (out == nullptr || std::fwrite(image.data(), 1, image.size(), out) != image.size())
            throw std::runtime_error("cannot write " + imagePath());
        std::fclose(out);
    }
    ~BenchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    BenchFiles(const BenchFiles&) = delete;
    BenchFiles& operator=(const BenchFiles&) = delete;

    std::size_t length() const { return length_; }
    std::string imagePath() const { return (folder_ / "memory.kbx").string(); }
    std::string uploadPath() const { return (folder_ / "uploaded.kbx").string(); }

private:
    std::size_t length_;
    std::filesystem::path folder_;
};

// One download through the library's calls; empty when it moved the whole
// image, else what went wrong.
std::string download(const BenchFiles& files) {
    char message[KBXI_MESSAGE_CAPACITY];
    std::snprintf(message, sizeof message, "%s", kInterface);
    const int sent = kbxi::refresh(kbxi::state(), files.imagePath().c_str(),
                                   kbxi::MessageBuffer(message, sizeof message), 0, 0, nullptr);
    if (sent != int(files.length())) return "download: " + std::to_string(sent) + " " + message;
    return {};
}

// One download and one upload; empty when both moved the whole image.
std::string downloadAndUpload(const BenchFiles& files) {
    if (std::string failure = download(files); !failure.empty()) return failure;
    char message[KBXI_MESSAGE_CAPACITY];
    std::snprintf(message, sizeof message, "%s", kInterface);
    const int read = kbxi::upload(kbxi::state(), files.uploadPath().c_str(),
                                  kbxi::MessageBuffer(message, sizeof message), nullptr);
    if (read != int(files.length())) return "upload: " + std::to_string(read) + " " + message;
    return {};
}

// The slave of the keyboard's pseudo-terminal, opened as a bare raw line.
class BareLine {
public:
    explicit BareLine(const std::string& path) : descriptor_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
        if (descriptor_ < 0) throw std::system_error(errno, std::generic_category(), "open " + path);
        termios line{};
        ::tcgetattr(descriptor_, &line);
        ::cfmakeraw(&line);
        ::tcsetattr(descriptor_, TCSANOW, &line);
    }
    ~BareLine() { ::close(descriptor_); }
    BareLine(const BareLine&) = delete;
    BareLine& operator=(const BareLine&) = delete;

    // Writes a byte that the keyboard takes on its own and reads its answer.
    bool roundTrip() const {
        constexpr std::uint8_t kSingleByte = 0x00;
        constexpr int kPatience = 1000;  // ms
        if (::write(descriptor_, &kSingleByte, 1) != 1) return false;
        pollfd watch{descriptor_, POLLIN, 0};
        if (::poll(&watch, 1, kPatience) != 1) return false;
        std::uint8_t answer = 0;
        return ::read(descriptor_, &answer, 1) == 1 && answer == kbx::protocol::kAcknowledge;
    }

private:
    int descriptor_;
};

void byteRoundTrips(benchmark::State& state, const kbxsim::Simulator& keyboard, std::uint64_t count) {
    const BareLine line(keyboard.slavePath());
    for (auto _ : state) {
        for (std::uint64_t i = 0; i < count; ++i) {
            if (!line.roundTrip()) {
                state.SkipWithError("the keyboard did not acknowledge a byte");
                return;
            }
        }
    }
    state.SetItemsProcessed(std::int64_t(state.iterations() * count));
}

void transfer(benchmark::State& state, const kbxsim::Simulator& keyboard, const BenchFiles& files) {
    setenv(kPortVariable, keyboard.portPath().c_str(), 1);
    for (auto _ : state) {
        if (const std::string failure = downloadAndUpload(files); !failure.empty()) {
            state.SkipWithError(failure.c_str());
            return;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * 2 * files.length()));
}

void pacedTransfer(benchmark::State& state, const BenchFiles& files) {
    kbxsim::SimulatorOptions options;
    options.lineRate = true;
    const kbxsim::Simulator keyboard(options);
    transfer(state, keyboard, files);
}

void downloadThroughAdapter(benchmark::State& state, const BenchFiles& files, std::chrono::milliseconds latency) {
    kbxsim::SimulatorOptions options;
    options.lineRate = true;
    options.adapterLatency = latency;
    const kbxsim::Simulator keyboard(options);
    setenv(kPortVariable, keyboard.portPath().c_str(), 1);
    for (auto _ : state) {
        if (const std::string failure = download(files); !failure.empty()) {
            state.SkipWithError(failure.c_str());
            return;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * files.length()));
}

// Checks once, before measuring, that the library's conversation is the
// one the round trips are counted from.
std::string checkConversation(kbxsim::Simulator& keyboard, const BenchFiles& files, const Conversation& expected) {
    setenv(kPortVariable, keyboard.portPath().c_str(), 1);
    keyboard.resetCounters();
    if (std::string failure = downloadAndUpload(files); !failure.empty()) return failure;
    const kbxsim::Counters counters = keyboard.counters();
    if (counters.bytesReceived != expected.sends || counters.readFrames != expected.replies)
        return "the keyboard received " + std::to_string(counters.bytesReceived) + " bytes and " +
               std::to_string(counters.readFrames) + " read frames, counted " + std::to_string(expected.sends) +
               " and " + std::to_string(expected.replies);
    return {};
}

// The console report, and the ratio (and the paced time) at its end.
class RatioReporter : public kbxbench::TimingReporter {
public:
    explicit RatioReporter(const Conversation& conversation) : conversation_(conversation) {}

    void printPaced() const {
        const std::optional<double> paced = seconds(kPacedName);
        if (!paced) {
            std::printf("paced at %d baud: not measured\n", kPacedBaud);
            return;
        }
        const std::uint64_t wireBytes = conversation_.sends + conversation_.keyboardBytes();
        const double floor = double(wireBytes) * kBitsPerByte / kPacedBaud;
        std::printf("paced at %d,O,8 / line floor: %.3f (download+upload %.2f s, %llu bytes on the wire %.2f s)\n",
                    kPacedBaud, *paced / floor, *paced, static_cast<unsigned long long>(wireBytes), floor);
    }

    // What asking for low latency gains through an adapter, measured and as
    // the line model has it: each send waits for the latency timer and for
    // its byte and the acknowledgement on the wire.
    void printLatencyGain() const {
        const std::optional<double> slow = seconds(kDefaultLatencyName);
        const std::optional<double> fast = seconds(kLowLatencyName);
        if (!slow || !fast || *fast <= 0) {
            std::printf("adapter latency %lld ms / %lld ms: not measured\n",
                        static_cast<long long>(kDefaultAdapterLatency.count()),
                        static_cast<long long>(kLowAdapterLatency.count()));
            return;
        }
        const std::uint64_t sends = conversationFor(kShortImageLength).downloadSends;
        const double wire = 2.0 * kBitsPerByte / kPacedBaud;
        const auto perSend = [&](std::chrono::milliseconds latency) {
            return std::chrono::duration<double>(latency).count() + wire;
        };
        std::printf("adapter latency %lld ms / %lld ms: %.2f, line model %.2f (download of %zu bytes, %llu sends: "
                    "%.2f s / %.2f s)\n",
                    static_cast<long long>(kDefaultAdapterLatency.count()),
                    static_cast<long long>(kLowAdapterLatency.count()), *slow / *fast,
                    perSend(kDefaultAdapterLatency) / perSend(kLowAdapterLatency), kShortImageLength,
                    static_cast<unsigned long long>(sends), *slow, *fast);
    }

    void printRatio() const {
        const std::optional<double> trips = seconds(kRoundTripsName);
        const std::optional<double> moved = seconds(kTransferName);
        if (!trips || !moved || *trips <= 0) {
            std::printf("download+upload / byte round trips: not measured\n");
            return;
        }
        std::printf("download+upload / byte round trips: %.2f (download+upload %.1f ms, %llu round trips %.1f ms, "
                    "%zu-byte image)\n",
                    *moved / *trips, *moved * 1e3, static_cast<unsigned long long>(conversation_.roundTrips()),
                    *trips * 1e3, kImageLength);
    }

private:
    Conversation conversation_;
};

// Takes --paced out of the arguments; whether it was there.
bool takePacedFlag(int& argc, char** argv) {
    bool found = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == kPacedFlag) {
            found = true;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    const bool paced = takePacedFlag(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const BenchFiles files(kImageLength);
    const BenchFiles shortFiles(kShortImageLength);
    kbxsim::Simulator keyboard;
    const Conversation conversation = conversationFor(kImageLength);
    if (const std::string failure = checkConversation(keyboard, files, conversation); !failure.empty()) {
        std::fprintf(stderr, "kbxi_bench: %s\n", failure.c_str());
        return 1;
    }

    benchmark::RegisterBenchmark(kRoundTripsName, byteRoundTrips, std::cref(keyboard), conversation.roundTrips())
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kTransferName, transfer, std::cref(keyboard), std::cref(files))
        ->Unit(benchmark::kMillisecond);
    if (paced) {
        benchmark::RegisterBenchmark(kPacedName, pacedTransfer, std::cref(files))
            ->Unit(benchmark::kSecond)
            ->Iterations(1);
        for (const auto& [name, latency] : {std::pair{kDefaultLatencyName, kDefaultAdapterLatency},
                                            std::pair{kLowLatencyName, kLowAdapterLatency}}) {
            benchmark::RegisterBenchmark(name, downloadThroughAdapter, std::cref(shortFiles), latency)
                ->Unit(benchmark::kSecond)
                ->Iterations(1);
        }
    }

    RatioReporter reporter(conversation);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (paced) {
        reporter.printPaced();
        reporter.printLatencyGain();
    }
    reporter.printRatio();
    benchmark::Shutdown();
    unsetenv(kPortVariable);
    return 0;
}
