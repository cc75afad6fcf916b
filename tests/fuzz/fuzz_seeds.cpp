// Writes the fuzz test's seeds into the folder named: each a first byte (which side
// receives, how the stream is cut) and then well-formed frames.
#include "FakePlatform.h"

#include "net/Messages.h"

#include <filesystem>
#include <fstream>

using namespace quindra;

namespace {

void write(const std::filesystem::path& file, std::uint8_t how,
           const std::vector<net::Message>& messages) {
    std::vector<std::uint8_t> bytes{how};
    for (const net::Message& m : messages) {
        const auto frame = net::encode(m);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    testing::StartedGame g;
    const net::Board board = net::Board::of(g.game, g.host);
    // The same match, won by the left player.
    g.game.SetVintiBlu = 1;
    g.game.SetCorrente = 1;
    g.game.lblSet_Sin[0].Caption = "6";
    g.game.lblPuntoBlu.Caption = "2V";
    const net::Board won = net::Board::of(g.game, g.host);
    const net::Key up{true, 38, 0};
    const net::Key serve{true, 32, 32};
    write(dir / "host-keys", 1,
          {serve, net::Key{false, 32, 32}, up, net::Ping{1}, net::Seen{1}, net::Key{false, 38, 0},
           net::Away{}, net::Bye{net::Bye::Reason::Quit}});
    write(dir / "host-keys-cut", 5, {up, serve, net::Key{true, 56, 56}, net::Ping{9}});
    write(dir / "guest-boards", 0,
          {board, net::Ping{2}, net::Heard{0x0c}, won, net::MatchEnd{0}, board});
    write(dir / "guest-boards-cut", 6, {board, net::Pong{1}, net::Bye{net::Bye::Reason::Busy}});
    write(dir / "hello", 1, {net::Hello{net::protocolVersion, net::Role::Guest}});
    return 0;
}
