// Feeds server bytes to the reply parser in pieces whose sizes come from the
// input, with small limits so the bounds are exercised, and checks what every
// reply must satisfy. Only the parser's own errors may escape a step.

#include "ftp/IdException.h"
#include "ftp/IdReplyParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::size_t kMaxLine = 64;
constexpr std::size_t kMaxReply = 512;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckReply(const kelmora::TIdRFCReply &reply)
{
    Check(!reply.Text.empty());
    Check(reply.TextCode.size() <= 4);
    Check(reply.NumericCode >= 0 && reply.NumericCode <= 9999);
    std::size_t total = 0;
    for (const std::string &line : reply.Text)
        total += line.size();
    Check(total <= kMaxReply);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const bool split = data[0] & 1;
    const std::size_t piece = 1 + data[1] % 97;
    const std::string_view bytes(reinterpret_cast<const char *>(data) + 2, size - 2);
    kelmora::ReplyParser parser;
    parser.SetLimits({kMaxLine,
                      split ? kelmora::TIdMaxLineAction::maSplit : kelmora::TIdMaxLineAction::maException,
                      kMaxReply});
    try {
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            parser.Feed(bytes.substr(at, piece));
            while (const auto reply = parser.Next())
                CheckReply(*reply);
            Check(parser.Buffered() <= kMaxLine + 1 + piece);
        }
    } catch (const kelmora::EIdReadLnMaxLineLengthExceeded &) {
        Check(!split);
    } catch (const kelmora::EIdReplyTooLong &) {
    }
    return 0;
}
