#include "host/standalone/JackMidiClient.h"

#include <jack/midiport.h>

#include <cerrno>
#include <thread>

#include "host/standalone/JackTime.h"

namespace {

constexpr const char* kPortName = "midi_out";

// Bytes in a channel message with this status; 0 for what a port cannot
// carry without more data (system exclusive) or a stray data byte.
std::size_t messageLength(unsigned char status) {
  if (status < 0x80) return 0;
  switch (status & 0xF0) {
    case 0xC0:
    case 0xD0: return 2;
    case 0xF0: return status >= 0xF8 ? 1 : 0;
    default: return 3;
  }
}

}  // namespace

JackMidiClient::JackMidiClient(StandaloneHost& plugin, SongClock& clock, const std::string& clientName)
    : plugin_(plugin), clock_(clock) {
  jack_status_t status{};
  client_ = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
  if (!client_)
    throw HostError("cannot reach a JACK server (start one, e.g. jackd -d alsa, or with qjackctl)");
  port_ = jack_port_register(client_, kPortName, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
  if (!port_) {
    jack_client_close(client_);
    throw HostError("cannot make the JACK MIDI port");
  }
  plugin_.start(jack_get_sample_rate(client_), static_cast<VstInt32>(jack_get_buffer_size(client_)));
  jack_set_process_callback(client_, &JackMidiClient::process, this);
  jack_set_buffer_size_callback(client_, &JackMidiClient::bufferSizeChanged, this);
  jack_set_sample_rate_callback(client_, &JackMidiClient::sampleRateChanged, this);
  jack_on_info_shutdown(client_, &JackMidiClient::shutDown, this);
}

JackMidiClient::~JackMidiClient() {
  if (active_ && !serverGone_) jack_deactivate(client_);
  jack_client_close(client_);
}

void JackMidiClient::activate() {
  if (jack_activate(client_) != 0) throw HostError("JACK would not run the client");
  active_ = true;
}

std::string JackMidiClient::portName() const { return jack_port_name(port_); }

bool JackMidiClient::connectTo(const std::string& input) {
  const int result = jack_connect(client_, jack_port_name(port_), input.c_str());
  return result == 0 || result == EEXIST;
}

bool JackMidiClient::leadTimebase() {
  if (serverGone_) return false;
  // Conditional: an existing master keeps the lead; asking again while this
  // client leads changes nothing.
  return jack_set_timebase_callback(client_, 1, &JackMidiClient::timebase, this) == 0;
}

void JackMidiClient::startTransport() {
  if (!serverGone_) jack_transport_start(client_);
}

void JackMidiClient::stopTransport() {
  if (!serverGone_) jack_transport_stop(client_);
}

bool JackMidiClient::rolling() const {
  return !serverGone_ && jack_transport_query(client_, nullptr) == JackTransportRolling;
}

void JackMidiClient::toggleTransport() {
  if (rolling()) stopTransport();
  else startTransport();
}

void JackMidiClient::finish(std::chrono::milliseconds patience) {
  if (!active_ || serverGone_) return;
  finishing_ = true;
  // The standing block that carries the note-offs, and one more so the
  // clients after this one have read them.
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (blocksSinceFinish_ < 2 && !serverGone_ && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  if (!serverGone_) jack_deactivate(client_);
  active_ = false;
}

int JackMidiClient::process(jack_nframes_t frames, void* self) {
  return static_cast<JackMidiClient*>(self)->play(frames);
}

int JackMidiClient::play(jack_nframes_t frames) {
  void* buffer = jack_port_get_buffer(port_, frames);
  jack_midi_clear_buffer(buffer);
  jack_position_t position{};
  const jack_transport_state_t state = jack_transport_query(client_, &position);
  const bool finishing = finishing_.load(std::memory_order_acquire);
  const bool rolling = state == JackTransportRolling && !finishing;
  const bool ownBarBeatTick = led_ && position.frame == ledFrame_;
  const VstTimeInfo time = hasBarBeatTick(position) && !ownBarBeatTick
                               ? timeFromBarBeatTick(position, rolling)
                               : clock_.timeAt(position.frame, position.frame_rate, rolling);
  CollectedEvents& events = plugin_.runBlock(time, static_cast<VstInt32>(frames));
  std::size_t lost = 0;
  for (const VstMidiEvent& event : events) {
    const auto* bytes = reinterpret_cast<const jack_midi_data_t*>(event.midiData);
    const std::size_t length = messageLength(event.midiData[0]);
    if (length == 0 || jack_midi_event_write(buffer, static_cast<jack_nframes_t>(event.deltaFrames),
                                             bytes, length) != 0)
      ++lost;
  }
  lost += events.takeDroppedCount();
  if (lost) lost_.fetch_add(lost, std::memory_order_relaxed);
  if (const std::size_t moved = events.takeMovedCount()) moved_.fetch_add(moved, std::memory_order_relaxed);
  if (finishing) blocksSinceFinish_.fetch_add(1, std::memory_order_release);
  return 0;
}

int JackMidiClient::bufferSizeChanged(jack_nframes_t frames, void* self) {
  auto* client = static_cast<JackMidiClient*>(self);
  client->plugin_.changeFormat(jack_get_sample_rate(client->client_), static_cast<VstInt32>(frames));
  return 0;
}

int JackMidiClient::sampleRateChanged(jack_nframes_t rate, void* self) {
  auto* client = static_cast<JackMidiClient*>(self);
  client->plugin_.changeFormat(rate, static_cast<VstInt32>(jack_get_buffer_size(client->client_)));
  return 0;
}

void JackMidiClient::timebase(jack_transport_state_t state, jack_nframes_t, jack_position_t* position,
                              int, void* self) {
  // Runs right after process, on the same thread: it writes the bars and
  // beats of the next cycle, which then needs no reading back.
  auto* client = static_cast<JackMidiClient*>(self);
  const VstTimeInfo time =
      client->clock_.timeAt(position->frame, position->frame_rate, state == JackTransportRolling);
  writeBarBeatTick(time, *position);
  client->ledFrame_ = position->frame;
  client->led_ = true;
}

void JackMidiClient::shutDown(jack_status_t, const char*, void* self) {
  static_cast<JackMidiClient*>(self)->serverGone_ = true;
}
