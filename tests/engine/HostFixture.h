// The built plug-in in the substitute host, with a pattern given through the
// chunk as a host restoring a project would.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/PatternImage.h"
#include "host/VstHost.h"

class PluginInHost : public ::testing::Test {
protected:
  PluginInHost() : host(QUAVERLIN_PLUGIN_PATH) { host.start(44100.0, 512); }

  void load(PatternImage& image) {
    ASSERT_EQ(host.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(image.bytes().size()),
                            image.bytes().data()),
              1);
  }
  PatternImage chunk() {
    void* data = nullptr;
    const auto size = host.dispatch(effGetChunk, 0, 0, &data);
    const auto* bytes = static_cast<const unsigned char*>(data);
    return PatternImage({bytes, bytes + size});
  }
  // Plays one block from the given song position (bars as a 4/4 host reports them).
  void playAt(double ppqPos, VstInt32 frames = 512) {
    host.transport.locate(ppqPos);
    host.processBlock(frames);
  }
  std::vector<ReceivedEvent> block(int index) const {
    std::vector<ReceivedEvent> events;
    for (const ReceivedEvent& e : host.received)
      if (e.block == index) events.push_back(e);
    return events;
  }
  std::vector<ReceivedEvent> lastBlock() const { return block(host.blocksProcessed() - 1); }

  VstHost host;
};

// "90 3B 7F @12" and the like, for comparing what arrived.
std::string show(const std::vector<ReceivedEvent>& events);
