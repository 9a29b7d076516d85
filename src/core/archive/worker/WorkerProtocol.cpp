#include "core/archive/worker/WorkerProtocol.h"

#include <algorithm>

namespace workerprotocol {

namespace {

constexpr std::string_view RequestMagic = "VMAQ";
constexpr std::string_view ReplyMagic = "VMAR";
constexpr std::size_t HeaderSize = 7;

std::uint64_t littleEndian(std::string_view bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

std::string bytesOf(std::uint64_t value, std::size_t size)
{
    std::string out(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<char>(value >> (8 * i));
    return out;
}

} // namespace

std::string encode(bool request, const Message &message)
{
    std::size_t size = HeaderSize;
    for (const std::string &field : message.fields)
        size += 4 + field.size();
    std::string out;
    out.reserve(size);
    out += request ? RequestMagic : ReplyMagic;
    out += static_cast<char>(Version);
    out += static_cast<char>(message.code);
    out += static_cast<char>(message.fields.size());
    for (const std::string &field : message.fields) {
        out += number32(static_cast<std::uint32_t>(field.size()));
        out += field;
    }
    return out;
}

std::optional<Message> decode(bool request, std::string_view bytes)
{
    if (bytes.size() < HeaderSize || bytes.size() > MaxMessageSize
        || bytes.substr(0, 4) != (request ? RequestMagic : ReplyMagic)
        || static_cast<std::uint8_t>(bytes[4]) != Version)
        return std::nullopt;
    Message message;
    message.code = static_cast<std::uint8_t>(bytes[5]);
    const std::size_t count = static_cast<unsigned char>(bytes[6]);
    if (count > MaxFields)
        return std::nullopt;
    std::size_t at = HeaderSize;
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes.size() - at < 4)
            return std::nullopt;
        const std::uint64_t length = littleEndian(bytes.substr(at, 4));
        at += 4;
        if (length > bytes.size() - at)
            return std::nullopt;
        message.fields.emplace_back(bytes.substr(at, length));
        at += length;
    }
    if (at != bytes.size())
        return std::nullopt; // trailing bytes: not one message
    return message;
}

std::optional<std::size_t> messageSize(bool request, std::string_view bytes)
{
    const std::string_view magic = request ? RequestMagic : ReplyMagic;
    const std::size_t known = std::min(bytes.size(), magic.size());
    if (bytes.substr(0, known) != magic.substr(0, known)
        || (bytes.size() > 4 && static_cast<std::uint8_t>(bytes[4]) != Version)
        || (bytes.size() > 6 && static_cast<unsigned char>(bytes[6]) > MaxFields))
        return std::nullopt;
    if (bytes.size() < HeaderSize)
        return 0;
    // Each field's length is read as soon as it has arrived; the data need not have.
    std::uint64_t size = HeaderSize;
    for (std::size_t i = 0, count = static_cast<unsigned char>(bytes[6]); i < count; ++i) {
        if (bytes.size() < size + 4)
            return 0;
        size += 4 + littleEndian(bytes.substr(size, 4));
        if (size > MaxMessageSize)
            return std::nullopt;
    }
    return static_cast<std::size_t>(size);
}

namespace {

// Eight bytes per step, each step a bijection of the running value for a given word and of
// the word for a given running value, so two texts of one length that differ in one word
// never meet.
std::uint64_t step(std::uint64_t hash, std::uint64_t word)
{
    const std::uint64_t mixed = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    return (mixed << 31) | (mixed >> 33);
}

// A fixed count of bytes, so the compiler reads each word in one load.
std::uint64_t word(const char *at)
{
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(at[i]);
    return value;
}

} // namespace

Fingerprint::Fingerprint(std::uint64_t length)
{
    // The length is mixed in first, so a short last word needs no marker.
    const std::uint64_t seed = 0xcbf29ce484222325ull ^ length;
    for (std::size_t lane = 0; lane < 4; ++lane)
        m_lanes[lane] = seed + lane;
}

void Fingerprint::addBlock(const char *block)
{
    for (std::size_t lane = 0; lane < 4; ++lane)
        m_lanes[lane] = step(m_lanes[lane], word(block + 8 * lane));
}

void Fingerprint::add(std::string_view bytes)
{
    if (m_pendingSize > 0) {
        const std::size_t taken = std::min(bytes.size(), Block - m_pendingSize);
        bytes.copy(m_pending.data() + m_pendingSize, taken);
        m_pendingSize += taken;
        bytes.remove_prefix(taken);
        if (m_pendingSize < Block)
            return;
        addBlock(m_pending.data());
        m_pendingSize = 0;
    }
    for (; bytes.size() >= Block; bytes.remove_prefix(Block))
        addBlock(bytes.data());
    m_pendingSize = bytes.copy(m_pending.data(), bytes.size());
}

std::uint64_t Fingerprint::value() const
{
    // Four running values take every fourth word of the whole blocks (a map archive runs to
    // megabytes, and one value would wait on each multiplication in turn); they are folded
    // into one by the same step, which takes the words left over. The end spreads every bit
    // over all.
    std::uint64_t hash = step(step(step(m_lanes[0], m_lanes[1]), m_lanes[2]), m_lanes[3]);
    const std::string_view rest(m_pending.data(), m_pendingSize);
    std::size_t at = 0;
    for (; at + 8 <= rest.size(); at += 8)
        hash = step(hash, word(rest.data() + at));
    if (at < rest.size())
        hash = step(hash, littleEndian(rest.substr(at)));
    hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDull;
    return hash ^ (hash >> 33);
}

std::uint64_t fingerprint(std::string_view bytes)
{
    Fingerprint print(bytes.size());
    print.add(bytes);
    return print.value();
}

std::string number32(std::uint32_t value)
{
    return bytesOf(value, 4);
}

std::string number64(std::uint64_t value)
{
    return bytesOf(value, 8);
}

std::optional<std::uint64_t> readNumber(std::string_view field)
{
    if (field.size() != 4 && field.size() != 8)
        return std::nullopt;
    return littleEndian(field);
}

} // namespace workerprotocol
