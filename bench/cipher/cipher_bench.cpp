// Des_Go's triple form against OpenSSL's DES-EDE3-ECB on this machine, and the HEX parse of a full
// 64 KiB image. Prints the throughput ratio and the parse time after the benchmark table.
#include "cipher/vexorenc.h"
#include "flasher/image_file.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int BUFFER_SIZE = 65536;
const unsigned char KEY15[15] = {2, 7, 1, 8, 2, 8, 1, 8, 2, 8, 4, 5, 9, 0, 4};

std::vector<unsigned char> Buffer()
{
    std::vector<unsigned char> buffer(BUFFER_SIZE);
    for (int i = 0; i < BUFFER_SIZE; ++i) {
        buffer[size_t(i)] = static_cast<unsigned char>(i * 131 + 7);
    }
    return buffer;
}

void DesGoTriple(benchmark::State& state)
{
    std::vector<unsigned char> buffer = Buffer();
    for (auto _ : state) {
        Des_Go(buffer.data(), buffer.data(), BUFFER_SIZE, KEY15, 15, 1);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * BUFFER_SIZE);
}
BENCHMARK(DesGoTriple);

void DesGoSingle(benchmark::State& state)
{
    std::vector<unsigned char> buffer = Buffer();
    for (auto _ : state) {
        Des_Go(buffer.data(), buffer.data(), BUFFER_SIZE, KEY15, 8, 1);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * BUFFER_SIZE);
}
BENCHMARK(DesGoSingle);

void OpenSslDesEde3Ecb(benchmark::State& state)
{
    // Two-key triple DES as a three-key one: key 1, key 2, key 1.
    unsigned char key[24] = {};
    for (int i = 0; i < 8; ++i) {
        key[i] = key[16 + i] = KEY15[i];
        key[8 + i] = i < 7 ? KEY15[8 + i] : 0;
    }
    std::vector<unsigned char> in = Buffer();
    std::vector<unsigned char> out(BUFFER_SIZE);
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    if (EVP_DecryptInit_ex(ctx, EVP_des_ede3_ecb(), nullptr, key, nullptr) != 1) {
        state.SkipWithError("DES-EDE3-ECB is not available");
    }
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    for (auto _ : state) {
        int written = 0;
        EVP_DecryptUpdate(ctx, out.data(), &written, in.data(), BUFFER_SIZE);
        benchmark::DoNotOptimize(out.data());
    }
    EVP_CIPHER_CTX_free(ctx);
    state.SetBytesProcessed(state.iterations() * BUFFER_SIZE);
}
BENCHMARK(OpenSslDesEde3Ecb);

std::string FullImageHex()
{
    std::string text;
    char line[64];
    for (int address = 0; address < BUFFER_SIZE; address += 16) {
        unsigned sum = 16 + (address >> 8) + (address & 0xFF);
        int n = std::snprintf(line, sizeof(line), ":10%04X00", address);
        for (int i = 0; i < 16; ++i) {
            const unsigned value = (address + i) * 37 & 0xFF;
            sum += value;
            n += std::snprintf(line + n, sizeof(line) - size_t(n), "%02X", value);
        }
        std::snprintf(line + n, sizeof(line) - size_t(n), "%02X\r\n", (0x100 - (sum & 0xFF)) & 0xFF);
        text += line;
    }
    return text + ":00000001FF\r\n";
}

void ParseFullImageHex(benchmark::State& state)
{
    const std::string text = FullImageHex();
    for (auto _ : state) {
        if (ParseIntelHex(text.data(), INT(text.size())) != BUFFER_SIZE) {
            state.SkipWithError("the HEX text did not parse to 64 KiB");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * int64_t(text.size()));
}
BENCHMARK(ParseFullImageHex)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's CPU seconds per iteration for the summary; steadier than wall time
// on a busy machine.
class CSummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                secondsPerIteration[run.benchmark_name()] = run.cpu_accumulated_time / double(run.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> secondsPerIteration;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    CSummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    auto& t = reporter.secondsPerIteration;
    if (t.count("DesGoTriple") != 0 && t.count("OpenSslDesEde3Ecb") != 0) {
        const double ours = BUFFER_SIZE / t["DesGoTriple"] / 1e6;
        const double openssl = BUFFER_SIZE / t["OpenSslDesEde3Ecb"] / 1e6;
        std::printf("\nDes_Go triple form: %.1f MB/s, OpenSSL DES-EDE3-ECB: %.1f MB/s, ratio %.2f (target >= 0.5)\n",
                    ours, openssl, ours / openssl);
    }
    if (t.count("ParseFullImageHex") != 0) {
        std::printf("HEX parse of a full 64 KiB image: %.3f ms (target <= 1 ms)\n", t["ParseFullImageHex"] * 1e3);
    }
    return 0;
}
