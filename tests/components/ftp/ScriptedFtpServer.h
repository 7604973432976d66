#pragma once
// A scripted FTP server for the client's tests: it listens on 127.0.0.1, takes
// one control connection, plays its steps in order on its own thread and
// records what the client sent. Every wait of its own ends after 10 s, so a
// misbehaving client fails a test instead of hanging it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ftptest {

struct Step {
    enum class Kind { Send, Read, Data, Trickle, Stranger, Pause, Close, Call };
    Kind kind;
    std::vector<std::string> pieces; // Send: each piece goes out as its own segment
    std::string from;                // Data/Stranger: source address
    int ms = 0;                      // Data: how long to hold the connection open; Trickle: gap; Pause
    std::function<void()> call = {}; // Call
};

Step Send(std::string bytes);
Step SendPieces(std::vector<std::string> pieces);
Step Read(); // reads one command line
// Connects to the address of the last PORT command from `from`, sends `bytes`,
// keeps the connection open `holdMs`, then closes it.
Step Data(std::string bytes, int holdMs = 0, std::string from = "127.0.0.1");
// Connects to the PORT address and sends `bytes` one at a time, `gapMs` apart,
// until all are sent or the client closes the connection.
Step Trickle(std::string bytes, int gapMs);
// Connects to the PORT address from `from`, sends junk and records whether the
// client closed that connection: "<stranger closed>" or "<stranger kept>".
Step Stranger(std::string from = "127.0.0.2");
Step Pause(int ms);
// Runs `action` on the server's thread at this point of the script, while the
// client waits for the next reply.
Step Call(std::function<void()> action);
Step Close(); // closes the control connection: "<server closed>"

// Transcript entries: each command line as received ("USER kvprg"; a line not
// ended by CR LF gets " <no CR>"), PORT with its port numbers as "*,*", and
// markers: "<closed>" when the client closed the control connection,
// "<still open>" when it did not within 10 s after the script, "<no connection>".
class ScriptedFtpServer {
public:
    explicit ScriptedFtpServer(std::vector<Step> script);
    ~ScriptedFtpServer();
    ScriptedFtpServer(const ScriptedFtpServer &) = delete;
    ScriptedFtpServer &operator=(const ScriptedFtpServer &) = delete;

    std::uint16_t Port() const { return m_port; }
    // Waits until the script is over and the client is gone, then tells what it sent.
    std::vector<std::string> Transcript();
    // As Transcript(), but stops waiting for a client that never came.
    std::vector<std::string> Abandon();

private:
    void Run();
    bool Play(const Step &step);
    bool ReadLine();
    bool Connect(const std::string &from, int *fd);
    void Drain();
    void Note(std::string entry);

    std::vector<Step> m_script;
    int m_listener = -1;
    int m_control = -1;
    std::uint16_t m_port = 0;
    std::string m_portAddress; // from the last PORT command
    std::uint16_t m_dataPort = 0;
    std::string m_input;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<std::string> m_transcript;
    std::thread m_thread;
};

} // namespace ftptest
