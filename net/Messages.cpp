#include "Messages.h"

#include <array>

namespace quindra::net {

namespace {

enum class Kind : std::uint8_t {
    Hello = 1,
    Key,
    Away,
    Board,
    MatchEnd,
    Seen,
    Ping,
    Pong,
    Bye,
    Heard
};

constexpr std::array<std::uint8_t, 4> magic = {'Q', 'N', 'D', 'R'};

struct Writer {
    WireWriter& out;
    void operator()(const Hello& m) const {
        out.u8(static_cast<std::uint8_t>(Kind::Hello));
        for (const std::uint8_t b : magic)
            out.u8(b);
        out.u16(m.version);
        out.u8(static_cast<std::uint8_t>(m.role));
    }
    void operator()(const Key& m) const {
        out.u8(static_cast<std::uint8_t>(Kind::Key));
        out.u8(m.down ? 1 : 0);
        out.u8(m.keyDown);
        out.u8(m.character);
    }
    void operator()(const Away&) const { out.u8(static_cast<std::uint8_t>(Kind::Away)); }
    void operator()(const Board& m) const {
        out.u8(static_cast<std::uint8_t>(Kind::Board));
        m.write(out);
    }
    void operator()(const MatchEnd& m) const {
        out.u8(static_cast<std::uint8_t>(Kind::MatchEnd));
        out.u8(m.winner);
    }
    void operator()(const Seen& m) const {
        out.u8(static_cast<std::uint8_t>(Kind::Seen));
        out.u32(m.boards);
    }
    void operator()(const Ping& m) const {
        out.u8(static_cast<std::uint8_t>(Kind::Ping));
        out.u32(m.sequence);
    }
    void operator()(const Pong& m) const {
        out.u8(static_cast<std::uint8_t>(Kind::Pong));
        out.u32(m.sequence);
    }
    void operator()(const Heard& m) const {
        out.u8(static_cast<std::uint8_t>(Kind::Heard));
        out.u8(m.sounds);
    }
    void operator()(const Bye& m) const {
        out.u8(static_cast<std::uint8_t>(Kind::Bye));
        out.u8(static_cast<std::uint8_t>(m.reason));
    }
};

std::variant<Message, std::string> readHello(WireReader& in) {
    for (const std::uint8_t b : magic)
        if (in.u8() != b)
            return std::string("non è una partita di Quindra");
    Hello m;
    m.version = in.u16();
    const std::uint8_t role = in.u8();
    // A newer version may say more after its number: only the number is read then.
    if (in.failed() || (m.version == protocolVersion && !in.complete()))
        return std::string("saluto incompleto");
    if (m.version == protocolVersion && role > 1)
        return std::string("ruolo sconosciuto");
    m.role = static_cast<Role>(role);
    return Message{m};
}

std::variant<Message, std::string> readKey(WireReader& in) {
    Key m;
    const std::uint8_t down = in.u8();
    m.keyDown = in.u8();
    m.character = in.u8();
    if (!in.complete() || down > 1)
        return std::string("tasto non valido");
    m.down = down == 1;
    return Message{m};
}

} // namespace

std::vector<std::uint8_t> encode(const Message& message) {
    WireWriter body;
    std::visit(Writer{body}, message);
    WireWriter frame;
    frame.u16(static_cast<std::uint16_t>(body.bytes().size()));
    std::vector<std::uint8_t> bytes = frame.take();
    bytes.insert(bytes.end(), body.bytes().begin(), body.bytes().end());
    return bytes;
}

std::variant<Message, std::string> decodeBody(std::span<const std::uint8_t> body) {
    WireReader in(body);
    const auto kind = static_cast<Kind>(in.u8());
    const auto whole = [&in](Message m) -> std::variant<Message, std::string> {
        if (!in.complete())
            return std::string("messaggio di lunghezza sbagliata");
        return m;
    };
    switch (kind) {
    case Kind::Hello:
        return readHello(in);
    case Kind::Key:
        return readKey(in);
    case Kind::Away:
        return whole(Away{});
    case Kind::Board: {
        const std::optional<Board> board = Board::read(in);
        if (!board)
            return std::string("tabellone fuori dai limiti");
        return whole(*board);
    }
    case Kind::MatchEnd: {
        const MatchEnd m{in.u8()};
        if (m.winner > 1)
            return std::string("vincitore sconosciuto");
        return whole(m);
    }
    case Kind::Seen:
        return whole(Seen{in.u32()});
    case Kind::Ping:
        return whole(Ping{in.u32()});
    case Kind::Pong:
        return whole(Pong{in.u32()});
    case Kind::Heard:
        return whole(Heard{in.u8()}); // every bit is a sound
    case Kind::Bye: {
        const std::uint8_t reason = in.u8();
        if (reason > static_cast<std::uint8_t>(Bye::Reason::NoGreeting))
            return std::string("congedo sconosciuto");
        return whole(Bye{static_cast<Bye::Reason>(reason)});
    }
    }
    return std::string("messaggio sconosciuto");
}

void Decoder::feed(std::span<const std::uint8_t> bytes) {
    if (bad_)
        return;
    // What was already read goes before it can pile up.
    if (start_ > 0 && start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    } else if (start_ > 4096) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

Decoder::Result Decoder::next() {
    Result r;
    if (bad_) {
        r.status = Status::Bad;
        r.fault = "flusso già interrotto";
        return r;
    }
    if (buffered() < 2)
        return r;
    const std::size_t length = static_cast<std::size_t>(buffer_[start_]) |
                               (static_cast<std::size_t>(buffer_[start_ + 1]) << 8);
    if (length == 0 || length > longestFrame) {
        bad_ = true;
        r.status = Status::Bad;
        r.fault = "messaggio di " + std::to_string(length) + " byte";
        return r;
    }
    if (buffered() < 2 + length)
        return r;
    const std::span<const std::uint8_t> body(buffer_.data() + start_ + 2, length);
    start_ += 2 + length;
    auto decoded = decodeBody(body);
    if (auto* fault = std::get_if<std::string>(&decoded)) {
        bad_ = true;
        r.status = Status::Bad;
        r.fault = std::move(*fault);
        return r;
    }
    r.status = Status::Ready;
    r.message = std::move(std::get<Message>(decoded));
    return r;
}

} // namespace quindra::net
