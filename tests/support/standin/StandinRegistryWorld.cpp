// The registry suite's world in the native build: the in-memory registry.

#include "standin/MemoryRegistry.h"
#include "support/RegistryTestWorld.h"

namespace {

class StandinRegistryWorld : public RegistryTestWorld {
public:
    RegistryApi& Api() override { return registry_; }
    std::string ExecutableName() const override { return "RegistrySuite"; }
    void SetEnvironmentVariable(const std::string& name, const std::string& value) override {
        registry_.SetEnvironmentVariable(name, value);
    }
    std::string UniqueName() override { return "BrindlewayTest-" + std::to_string(++counter_); }
    int OpenHandleCount() const override { return registry_.OpenHandleCount(); }
    bool RefuseWritesUnder(std::int32_t root) override {
        registry_.RefuseWritesUnder(root);
        return true;
    }
    bool BeforeNextDataQuery(std::function<void()> change) override {
        registry_.BeforeNextDataQuery(std::move(change));
        return true;
    }

private:
    MemoryRegistry registry_;
    int counter_ = 0;
};

}  // namespace

std::unique_ptr<RegistryTestWorld> MakeRegistryTestWorld() { return std::make_unique<StandinRegistryWorld>(); }
