// The suite's whole-file rule: which outputs are streamed into and which replaced, what is
// refused, and the bounded read.
#include "comkit/whole_file.h"

#include "comkit/test_temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

using namespace COMMON_EX;

namespace {

// The way and fault CheckOutput gives for path.
std::pair<OUTPUT_WAY, FILE_FAULT> Rule(const std::string& path)
{
    OUTPUT_WAY way = OUTPUT_WAY::REPLACE;
    const FILE_FAULT fault = CheckOutput(path, way).fault;
    return {way, fault};
}

std::string Drain(int fd)
{
    std::string text;
    char chunk[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, chunk, sizeof chunk)) > 0)
        text.append(chunk, size_t(n));
    return text;
}

} // namespace

TEST(WholeFile, OutputsAreStreamedIntoOrReplacedOrRefusedByKind)
{
    CTestTempDir dir;
    const std::string file = dir.File("out.bin");
    CTestTempDir::WriteBytes(file, "old");
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, dir.File("sock").c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::symlink(dir.File("nowhere/x").c_str(), dir.File("dangling").c_str()), 0);
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const std::string writeEnd = "/dev/fd/" + std::to_string(pipeEnds[1]);
    const std::string readEnd = "/proc/self/fd/" + std::to_string(pipeEnds[0]);

    using R = std::pair<OUTPUT_WAY, FILE_FAULT>;
    EXPECT_EQ(Rule(file), R(OUTPUT_WAY::REPLACE, FILE_FAULT::NONE));
    EXPECT_EQ(Rule(dir.File("new.bin")), R(OUTPUT_WAY::REPLACE, FILE_FAULT::NONE));
    EXPECT_EQ(Rule("-"), R(OUTPUT_WAY::STANDARD_OUTPUT, FILE_FAULT::NONE));
    EXPECT_EQ(Rule("/dev/stderr"), R(OUTPUT_WAY::DESCRIPTOR, FILE_FAULT::NONE));
    EXPECT_EQ(Rule(writeEnd), R(OUTPUT_WAY::DESCRIPTOR, FILE_FAULT::NONE));
    EXPECT_EQ(Rule(readEnd).second, FILE_FAULT::WRITE); // open, but only for reading
    EXPECT_EQ(Rule("/dev/fd/1000"), R(OUTPUT_WAY::DESCRIPTOR, FILE_FAULT::OPEN));
    EXPECT_EQ(Rule(dir.File("fifo")), R(OUTPUT_WAY::STREAM, FILE_FAULT::NONE));
    EXPECT_EQ(Rule("/dev/null"), R(OUTPUT_WAY::STREAM, FILE_FAULT::NONE));
    EXPECT_EQ(Rule("/dev/full").second, FILE_FAULT::NOT_REGULAR); // a device that loses the bytes
    EXPECT_EQ(Rule(dir.Path()).second, FILE_FAULT::NOT_REGULAR);
    EXPECT_EQ(Rule(dir.File("sock")).second, FILE_FAULT::NOT_REGULAR);
    EXPECT_EQ(Rule(dir.File("dangling")).second, FILE_FAULT::DANGLING_LINK);
    EXPECT_EQ(Rule(dir.File("missing/new.bin")).second, FILE_FAULT::NO_FOLDER);
    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(Rule(file).second, FILE_FAULT::READ_ONLY); // even for root
    ::chmod(file.c_str(), 0640);

    // Streams are written into: the FIFO stays a FIFO, the descriptor is left open for its owner.
    std::string error;
    const int reader = ::open(dir.File("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteWholeFile(dir.File("fifo"), "fifo bytes", 10, error)) << error;
    EXPECT_EQ(Drain(reader), "fifo bytes");
    ::close(reader);
    EXPECT_TRUE(WriteWholeFile(writeEnd, "pipe bytes", 10, error)) << error;
    ::close(pipeEnds[1]);
    EXPECT_EQ(Drain(pipeEnds[0]), "pipe bytes");
    ::close(pipeEnds[0]);
    struct stat st {};
    EXPECT_TRUE(::stat(dir.File("fifo").c_str(), &st) == 0 && S_ISFIFO(st.st_mode));

    // Replacing goes through a link and keeps it and the file's permission bits; nothing special
    // is replaced, and a FIFO nobody reads is refused at once when asked not to wait.
    ASSERT_EQ(::symlink(file.c_str(), dir.File("link").c_str()), 0);
    EXPECT_TRUE(WriteWholeFile(dir.File("link"), "new", 3, error)) << error;
    EXPECT_EQ(CTestTempDir::ReadBytes(file), "new");
    EXPECT_TRUE(::lstat(dir.File("link").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_TRUE(::stat(file.c_str(), &st) == 0 && (st.st_mode & 07777) == 0640);
    EXPECT_FALSE(ReplaceWholeFile(dir.File("fifo"), "x", 1, error));
    EXPECT_EQ(error, "will not write " + dir.File("fifo") + ": not a regular file");
    EXPECT_FALSE(WriteWholeFile(dir.File("missing/new.bin"), "x", 1, error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    FILE_OUTCOME outcome;
    EXPECT_LT(OpenOutputStream(dir.File("fifo"), OUTPUT_WAY::STREAM, false, outcome), 0);
    EXPECT_EQ(outcome.sysError, ENXIO);
    ::close(sock);
}

TEST(WholeFile, ReadsAreBoundedRegularOrStandardInput)
{
    CTestTempDir dir;
    const std::string file = dir.File("in.bin");
    CTestTempDir::WriteBytes(file, "12345");
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    std::vector<BYTE> bytes;
    EXPECT_TRUE(ReadWholeFile(file, 5, bytes).Ok());
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "12345");
    const FILE_OUTCOME large = ReadWholeFile(file, 4, bytes);
    EXPECT_EQ(large.fault, FILE_FAULT::TOO_LARGE);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(FileFaultText(large, file, 4), "cannot read " + file + ": larger than 4 bytes");
    const FILE_OUTCOME fifo = ReadWholeFile(dir.File("fifo"), 100, bytes); // never waits for a writer
    EXPECT_EQ(fifo.fault, FILE_FAULT::NOT_REGULAR);
    EXPECT_EQ(fifo.kind, unsigned(S_IFIFO));
    const FILE_OUTCOME missing = ReadWholeFile(dir.File("missing"), 100, bytes);
    EXPECT_EQ(FileFaultText(missing, "m"), "cannot open m: No such file or directory");

    // "-": standard input to its end, bounded as well (the limit is met by a stream that runs over).
    const int saved = ::dup(STDIN_FILENO);
    const std::pair<unsigned long long, bool> cases[] = {{70000, true}, {69999, false}};
    for (const auto& [limit, ok] : cases) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(ends[0]);
            const std::string text(70000, 'z');
            _exit(WriteAllTo(ends[1], text.data(), text.size()) ? 0 : 1);
        }
        ::close(ends[1]);
        ::dup2(ends[0], STDIN_FILENO);
        ::close(ends[0]);
        EXPECT_EQ(ReadWholeFile("-", limit, bytes).Ok(), ok) << limit;
        EXPECT_EQ(bytes.size(), ok ? 70000u : 0u);
        ::dup2(saved, STDIN_FILENO); // the writer sees a closed pipe when the read stopped early
        ::waitpid(child, nullptr, 0);
    }
    ::close(saved);
}
