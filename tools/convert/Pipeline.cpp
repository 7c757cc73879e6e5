#include "Pipeline.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <poll.h>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace geoframe::convert {
namespace {

/// Whole lines of the input with their line ends, converted as one piece of work.
struct Chunk {
    std::uint64_t firstLine = 1;
    std::string in;
    /// Lines (counted within the chunk) that were too long; each stands in `in` as
    /// a one-character placeholder.
    std::vector<std::size_t> overlong;
    std::string out;
    std::string err;
    /// Failed lines past the message budget, first and last of them.
    std::uint64_t unreported = 0, firstUnreported = 0, lastUnreported = 0;
    bool failed = false;
    /// The input paused after this chunk: write everything before reading on.
    bool paused = false;
    bool done = false; // guarded by the pipeline's mutex
};

/// Reads the input in large blocks and hands it out as chunks of whole lines.
class ChunkReader {
public:
    ChunkReader(int fd, std::size_t target)
        : m_fd(fd), m_target(std::max<std::size_t>(target, 1)), m_block(m_target) {}

    /// Fills `chunk` with the next lines, about `target` bytes of them, or fewer
    /// when the input pauses (no more data ready after a read that did not fill
    /// the block: a terminal, or a pipe from a program that answers line by
    /// line), so that those lines are answered at once. False when the input
    /// holds no more.
    bool Fill(Chunk& chunk) {
        chunk.in.clear();
        chunk.overlong.clear();
        chunk.paused = false;
        chunk.firstLine = m_nextLine;
        std::size_t lines = 0;
        while (chunk.in.size() < m_target) {
            if (m_pos == m_end) {
                if (lines > 0 && m_shortRead && !DataReady()) {
                    chunk.paused = true;
                    break;
                }
                if (!ReadBlock())
                    break;
            }
            const char* begin = m_block.data() + m_pos;
            const std::size_t available = m_end - m_pos;
            const char* newline = static_cast<const char*>(std::memchr(begin, '\n', available));
            if (!newline) {
                Hold(begin, available);
                m_pos = m_end;
                continue;
            }
            const std::size_t length = static_cast<std::size_t>(newline - begin);
            // The length limit is the line's own: a CR before the LF is a line end.
            // It may be the last byte held from the block before (only then).
            const bool held = m_skipping || !m_pending.empty();
            const bool cr = length > 0 ? begin[length - 1] == '\r' : held && m_heldCR;
            m_heldCR = false;
            const std::size_t own = m_pending.size() + length - (cr ? 1 : 0);
            if (m_skipping || own > kMaxLineLength) {
                chunk.overlong.push_back(lines);
                chunk.in += cr ? "!\r\n" : "!\n";
                m_skipping = false;
                m_pending.clear();
            } else if (m_pending.empty()) {
                chunk.in.append(begin, length + 1);
            } else {
                chunk.in += m_pending;
                chunk.in.append(begin, length + 1);
                m_pending.clear();
            }
            ++lines;
            m_pos += length + 1;
        }
        if (m_eof && m_pos == m_end) {
            // A last line without a line end (no CR allowance: it has no LF).
            if (m_skipping || m_pending.size() > kMaxLineLength) {
                chunk.overlong.push_back(lines);
                chunk.in += '!';
                ++lines;
            } else if (!m_pending.empty()) {
                chunk.in += m_pending;
                ++lines;
            }
            m_skipping = false;
            m_pending.clear();
        }
        m_nextLine += lines;
        return !chunk.in.empty();
    }

    const std::string& Error() const { return m_error; }

private:
    bool ReadBlock() {
        while (!m_eof) {
            const ssize_t n = read(m_fd, m_block.data(), m_block.size());
            if (n > 0) {
                m_pos = 0;
                m_end = static_cast<std::size_t>(n);
                m_shortRead = m_end < m_block.size();
                return true;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                m_error = std::string("cannot read the input: ") + std::strerror(errno);
            m_eof = true;
        }
        return false;
    }

    /// Whether a read would return at once (data, end of input or an error).
    bool DataReady() const {
        pollfd p{m_fd, POLLIN, 0};
        int n;
        do
            n = poll(&p, 1, 0);
        while (n < 0 && errno == EINTR);
        return n != 0;
    }

    /// Keeps the start of a line that goes on in the next block, unless the line
    /// is already too long to keep.
    void Hold(const char* begin, std::size_t length) {
        if (length > 0)
            m_heldCR = begin[length - 1] == '\r';
        if (m_skipping)
            return;
        m_pending.append(begin, length);
        // One byte more than the limit may still be the CR of a CRLF.
        if (m_pending.size() > kMaxLineLength + 1) {
            m_pending.clear();
            m_pending.shrink_to_fit();
            m_skipping = true;
        }
    }

    int m_fd;
    std::size_t m_target;
    std::vector<char> m_block;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    bool m_shortRead = false;
    /// The last byte held for a line that goes on was a CR.
    bool m_heldCR = false;
    std::string m_pending;
    bool m_skipping = false;
    std::uint64_t m_nextLine = 1;
    std::string m_error;
};

/// At most this much message text per chunk: a stream of bad lines must not grow
/// memory with threads x message size. Lines past it are summed up in one line.
constexpr std::size_t kMaxMessageBytes = 64 * 1024;

void Report(Chunk& chunk, std::uint64_t line, std::string_view reason) {
    chunk.failed = true;
    if (chunk.err.size() >= kMaxMessageBytes) {
        if (chunk.unreported++ == 0)
            chunk.firstUnreported = line;
        chunk.lastUnreported = line;
        return;
    }
    chunk.err += "geoframe-convert: line ";
    chunk.err += std::to_string(line);
    chunk.err += ": ";
    chunk.err += reason;
    chunk.err += '\n';
}

/// The one line that stands for the failed lines past the message budget.
void SumUp(Chunk& chunk) {
    if (chunk.unreported == 0)
        return;
    chunk.err += "geoframe-convert: lines " + std::to_string(chunk.firstUnreported) + " to " +
                 std::to_string(chunk.lastUnreported) + ": " + std::to_string(chunk.unreported) +
                 " more lines could not be converted\n";
}

/// A line of a chunk waiting for its batch to be converted.
struct Pending {
    std::string_view line; ///< without its LF, and without its CR unless it passes
    bool terminated;       ///< an LF followed it
    bool overlong;
    bool passes;  ///< written out unchanged
    bool batched; ///< read into the batch
    bool crlf;    ///< a CR ended it (converted lines write theirs back)
};

void ConvertChunk(Chunk& chunk, Converter& converter) {
    chunk.out.clear();
    chunk.err.clear();
    chunk.unreported = 0;
    chunk.failed = false;
    const std::string_view all(chunk.in);
    std::string reason;
    std::size_t pos = 0;
    std::size_t index = 0;
    auto overlong = chunk.overlong.begin();
    // The next line of the chunk, without its LF.
    auto nextLine = [&](bool& terminated, bool& isOverlong) {
        const char* begin = all.data() + pos;
        const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', all.size() - pos));
        terminated = newline != nullptr;
        const std::size_t length =
            terminated ? static_cast<std::size_t>(newline - begin) : all.size() - pos;
        isOverlong = overlong != chunk.overlong.end() && *overlong == index;
        if (isOverlong)
            ++overlong;
        pos += length + 1;
        ++index;
        return std::string_view(begin, length);
    };

    // Lines in groups: those that read as coordinates go into the converter's
    // batch and convert with array calls; then every line of the group is answered
    // in order, the others (and points the batch did not convert) one by one.
    std::vector<Pending> group;
    group.reserve(Converter::kBatchLines);
    while (pos < all.size()) {
        group.clear();
        converter.ClearBatch();
        const std::size_t groupIndex = index;
        while (pos < all.size() && converter.BatchSize() < Converter::kBatchLines &&
               group.size() < 4 * Converter::kBatchLines) {
            Pending p{};
            p.line = nextLine(p.terminated, p.overlong);
            p.passes = !p.overlong && converter.PassesThrough(chunk.firstLine + index - 1, p.line);
            if (!p.overlong && !p.passes) {
                p.crlf = p.line.back() == '\r';
                if (p.crlf)
                    p.line.remove_suffix(1);
                p.batched = converter.Batches() && converter.AddToBatch(p.line);
            }
            group.push_back(p);
        }
        converter.ConvertBatch();
        std::size_t batched = 0;
        for (std::size_t k = 0; k < group.size(); ++k) {
            const Pending& p = group[k];
            const std::uint64_t number = chunk.firstLine + groupIndex + k;
            if (p.overlong) {
                chunk.out += p.line.back() == '\r' ? "nan nan nan\r" : "nan nan nan";
                Report(chunk, number,
                       "line longer than " + std::to_string(kMaxLineLength) + " bytes");
            } else if (p.passes) {
                chunk.out += p.line;
            } else {
                if (!(p.batched && converter.AppendBatched(batched, chunk.out)) &&
                    !converter.ConvertLine(p.line, chunk.out, reason))
                    Report(chunk, number, reason);
                batched += p.batched;
                if (p.crlf)
                    chunk.out += '\r';
            }
            if (p.terminated)
                chunk.out += '\n';
        }
    }
    SumUp(chunk);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

PipelineResult RunPipeline(int inFd, int outFd, int errFd,
                           std::vector<std::unique_ptr<Converter>>& converters,
                           std::size_t chunkBytes) {
    PipelineResult result;
    ChunkReader reader(inFd, chunkBytes);
    auto emit = [&](const Chunk& chunk) {
        result.linesFailed = result.linesFailed || chunk.failed;
        if (result.ioFailed)
            return;
        if (!WriteAll(outFd, chunk.out)) {
            result.ioFailed = true;
            result.ioError = std::string("cannot write the output: ") + std::strerror(errno);
            return;
        }
        WriteAll(errFd, chunk.err);
    };

    if (converters.size() == 1) {
        Chunk chunk;
        while (!result.ioFailed && reader.Fill(chunk)) {
            ConvertChunk(chunk, *converters[0]);
            emit(chunk);
        }
    } else {
        std::mutex mutex;
        std::condition_variable workReady;
        std::condition_variable chunkDone;
        std::deque<Chunk*> queue;
        bool stop = false;

        std::vector<std::thread> workers;
        for (std::unique_ptr<Converter>& converter : converters) {
            workers.emplace_back([&, worker = converter.get()] {
                while (true) {
                    Chunk* chunk = nullptr;
                    {
                        std::unique_lock<std::mutex> lock(mutex);
                        workReady.wait(lock, [&] { return stop || !queue.empty(); });
                        if (queue.empty())
                            return;
                        chunk = queue.front();
                        queue.pop_front();
                    }
                    ConvertChunk(*chunk, *worker);
                    {
                        std::lock_guard<std::mutex> lock(mutex);
                        chunk->done = true;
                    }
                    chunkDone.notify_all();
                }
            });
        }

        // Chunks in input order; the oldest is written once its worker is done.
        std::deque<std::unique_ptr<Chunk>> inFlight;
        std::vector<std::unique_ptr<Chunk>> spare;
        const std::size_t maxInFlight = 2 * converters.size() + 2;
        auto frontDone = [&] {
            std::lock_guard<std::mutex> lock(mutex);
            return inFlight.front()->done;
        };
        auto writeFront = [&] {
            std::unique_ptr<Chunk> chunk = std::move(inFlight.front());
            inFlight.pop_front();
            {
                std::unique_lock<std::mutex> lock(mutex);
                chunkDone.wait(lock, [&] { return chunk->done; });
            }
            emit(*chunk);
            spare.push_back(std::move(chunk));
        };

        while (!result.ioFailed) {
            std::unique_ptr<Chunk> chunk;
            if (spare.empty()) {
                chunk = std::make_unique<Chunk>();
            } else {
                chunk = std::move(spare.back());
                spare.pop_back();
            }
            if (!reader.Fill(*chunk))
                break;
            {
                std::lock_guard<std::mutex> lock(mutex);
                chunk->done = false;
                queue.push_back(chunk.get());
            }
            workReady.notify_one();
            const bool paused = chunk->paused;
            inFlight.push_back(std::move(chunk));
            // A paused input may not resume for a while: answer what has come.
            while (inFlight.size() >= maxInFlight || (!inFlight.empty() && (paused || frontDone())))
                writeFront();
        }
        while (!inFlight.empty())
            writeFront();
        {
            std::lock_guard<std::mutex> lock(mutex);
            stop = true;
        }
        workReady.notify_all();
        for (std::thread& worker : workers)
            worker.join();
    }

    if (!result.ioFailed && !reader.Error().empty()) {
        result.ioFailed = true;
        result.ioError = reader.Error();
    }
    return result;
}

} // namespace geoframe::convert
