// The host's routines called directly, as a plug-in would call them inside a
// selector call: properties, pixels display, buffers, descriptor parameters
// and the suites reached through the basic suite.
#include <cstring>

#include "tests/host_library/plugin_fixture.h"

namespace {

class HostRoutinesTest : public PluginTest {
protected:
    HostRoutinesTest()
        : document_(MakePhoto(ColourMode::kRgb, 64, 48)),
          host_(Module(), document_, SmallBudget()) {
        host_.BeginInvocation();
    }

    static HostOptions SmallBudget() {
        HostOptions options;
        options.maxSpace = 1000;
        return options;
    }

    FilterRecord& record() { return host_.record(); }

    template <class Suite>
    const Suite* Acquire(const char* name, int32_t version) {
        const void* suite = nullptr;
        EXPECT_EQ(record().sSPBasic->AcquireSuite(name, version, &suite), kSPNoError) << name;
        return static_cast<const Suite*>(suite);
    }

    Document document_;
    FilterHost host_;
};

TEST_F(HostRoutinesTest, RoutinesRefuseCallsOutsideAPluginCall) {
    EXPECT_EQ(record().handleProcs->newProc(8), nullptr);
    EXPECT_EQ(record().advanceState(), filterBadParameters);
    EXPECT_EQ(record().abortProc(), 1);
    EXPECT_EQ(host_.Leaks().handles, 0u);
}

TEST_F(HostRoutinesTest, PropertiesAnswerWatchSuspensionAndWhatTheHostIsTold) {
    FilterHost::ActiveScope scope(&host_);
    const PropertyProcs& properties = *record().propertyProcs;
    intptr_t value = -1;
    Handle complex = reinterpret_cast<Handle>(&value);
    ASSERT_EQ(properties.setPropertyProc(FourCC("8BIM"), propWatchSuspension, 0, 1, nullptr),
              noErr);
    ASSERT_EQ(properties.getPropertyProc(FourCC("8BIM"), propWatchSuspension, 0, &value, &complex),
              noErr);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(complex, nullptr);
    EXPECT_EQ(properties.getPropertyProc(FourCC("8BIM"), FourCC("abcd"), 0, &value, nullptr),
              errPlugInPropertyUndefined);
    host_.SetSimpleProperty(FourCC("abcd"), 42);
    ASSERT_EQ(record().getPropertyObsolete(FourCC("8BIM"), FourCC("abcd"), 0, &value, nullptr),
              noErr);
    EXPECT_EQ(value, 42);
    // Only the watch suspension may be set.
    EXPECT_EQ(properties.setPropertyProc(FourCC("8BIM"), FourCC("abcd"), 0, 7, nullptr),
              errPlugInPropertyUndefined);
    ASSERT_EQ(host_.observations().propertyChanges().size(), 1u);
}

TEST_F(HostRoutinesTest, DisplayPixelsIsRecordedAndFailsWhenTold) {
    FilterHost::ActiveScope scope(&host_);
    uint8_t pixels[12] = {};
    PSPixelMap map{};
    map.version = 1;
    map.bounds = {0, 0, 2, 2};
    map.imageMode = plugInModeRGBColor;
    map.rowBytes = 6;
    map.colBytes = 3;
    map.planeBytes = 1;
    map.baseAddr = pixels;
    const VRect source = {0, 0, 2, 2};
    ASSERT_EQ(record().displayPixels(&map, &source, 10, 20, nullptr), noErr);
    ASSERT_EQ(host_.observations().displayCalls().size(), 1u);
    EXPECT_EQ(host_.observations().displayCalls()[0].destinationRow, 10);
    EXPECT_EQ(host_.observations().displayCalls()[0].destinationColumn, 20);
    EXPECT_EQ(host_.observations().displayCalls()[0].map.rowBytes, 6);

    host_.SetInjectedError(paramErr);
    host_.faults().FailAt(HostCallback::kDisplayPixels, 2);
    EXPECT_EQ(record().displayPixels(&map, &source, 0, 0, nullptr), paramErr);
    EXPECT_EQ(host_.observations().displayCalls().size(), 1u);
}

TEST_F(HostRoutinesTest, BuffersStayWithinTheBudget) {
    FilterHost::ActiveScope scope(&host_);
    const BufferProcs& buffers = *record().bufferProcs;
    BufferID first = nullptr;
    BufferID second = nullptr;
    ASSERT_EQ(buffers.allocateProc(600, &first), noErr);
    EXPECT_EQ(buffers.spaceProc(), 400);
    EXPECT_EQ(buffers.reserveProc(500), memFullErr);
    EXPECT_EQ(buffers.allocateProc(500, &second), memFullErr);
    EXPECT_EQ(second, nullptr);
    ASSERT_NE(buffers.lockProc(first, 1), nullptr);
    EXPECT_EQ(host_.Leaks().lockedBuffers, 1u);
    buffers.unlockProc(first);
    buffers.freeProc(first);
    EXPECT_EQ(buffers.spaceProc64(), 1000);
    buffers.freeProc(first);
    EXPECT_EQ(host_.Leaks().misuse, 1u);
}

TEST_F(HostRoutinesTest, ReadingADescriptorStrikesKeysAndKeepsTheWorstError) {
    host_.EndInvocation(false, false);
    InvocationOptions replay;
    replay.replay = Descriptor{{FourCC("Amnt"), 20.0}};
    replay.replay->Append({FourCC("Flag"), FourCC("bool"), 1.0});
    host_.BeginInvocation(replay);

    FilterHost::ActiveScope scope(&host_);
    const ReadDescriptorProcs& reader = *record().descriptorParameters->readDescriptorProcs;
    DescriptorKeyID keys[] = {FourCC("Brgh"), FourCC("Amnt"), 0};
    PIReadDescriptor token =
        reader.openReadDescriptorProc(record().descriptorParameters->descriptor, keys);
    ASSERT_NE(token, nullptr);
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    int32_t flags = -1;
    ASSERT_TRUE(reader.getKeyProc(token, &key, &type, &flags));
    EXPECT_EQ(key, FourCC("Amnt"));
    EXPECT_EQ(type, typeFloat);
    EXPECT_EQ(keys[1], 0u);
    EXPECT_EQ(keys[0], FourCC("Brgh"));
    double value = 0.0;
    ASSERT_EQ(reader.getFloatProc(token, &value), noErr);
    EXPECT_EQ(value, 20.0);
    ASSERT_TRUE(reader.getKeyProc(token, &key, &type, &flags));
    EXPECT_EQ(reader.getFloatProc(token, &value), paramErr);  // not a double
    int32_t integer = 0;
    EXPECT_EQ(reader.getIntegerProc(token, &integer), paramErr);
    EXPECT_FALSE(reader.getKeyProc(token, &key, &type, &flags));
    EXPECT_EQ(reader.closeReadDescriptorProc(token), paramErr);
    EXPECT_EQ(host_.Leaks().descriptorSessions, 0u);
}

TEST_F(HostRoutinesTest, WritingADescriptorYieldsAHandleWithTheValues) {
    FilterHost::ActiveScope scope(&host_);
    const WriteDescriptorProcs& writer = *record().descriptorParameters->writeDescriptorProcs;
    PIWriteDescriptor token = writer.openWriteDescriptorProc();
    ASSERT_NE(token, nullptr);
    const double value = 37.5;
    ASSERT_EQ(writer.putFloatProc(token, FourCC("Amnt"), &value), noErr);
    EXPECT_EQ(writer.putIntegerProc(token, FourCC("Brgh"), 3), paramErr);
    Handle written = nullptr;
    ASSERT_EQ(writer.closeWriteDescriptorProc(token, &written), noErr);
    record().descriptorParameters->descriptor = written;
    const std::optional<Descriptor> recorded = host_.EndInvocation(false, true);
    ASSERT_TRUE(recorded.has_value());
    ASSERT_EQ(recorded->items().size(), 1u);
    EXPECT_EQ(recorded->GetFloat(FourCC("Amnt")), 37.5);
    EXPECT_TRUE(host_.Leaks().None()) << host_.Leaks().Describe();
}

TEST_F(HostRoutinesTest, SuitesOfferTheRegistryAndActionDescriptors) {
    FilterHost::ActiveScope scope(&host_);
    const SPBasicSuite& basic = *record().sSPBasic;
    const void* suite = &basic;
    EXPECT_EQ(basic.AcquireSuite("no such suite", 1, &suite), kSPSuiteNotFoundError);
    EXPECT_EQ(suite, nullptr);
    EXPECT_EQ(basic.AcquireSuite(kPSActionDescriptorSuite, 3, &suite), kSPSuiteNotFoundError);

    const auto* registry = Acquire<PSDescriptorRegistryProcs>(kPSDescriptorRegistrySuite,
                                                              kPSDescriptorRegistrySuiteVersion);
    const auto* descriptors =
        Acquire<PSActionDescriptorProcs>(kPSActionDescriptorSuite, kPSActionDescriptorSuiteVersion);
    ASSERT_NE(registry, nullptr);
    ASSERT_NE(descriptors, nullptr);

    int sentinel = 0;
    PIActionDescriptor found = reinterpret_cast<PIActionDescriptor>(&sentinel);
    ASSERT_EQ(registry->Get("key", &found), noErr);
    EXPECT_EQ(found, nullptr);  // nothing registered yet

    PIActionDescriptor made = nullptr;
    ASSERT_EQ(descriptors->Make(&made), noErr);
    ASSERT_EQ(descriptors->PutFloat(made, FourCC("Amnt"), 12.5), noErr);
    Boolean has = 0;
    ASSERT_EQ(descriptors->HasKey(made, FourCC("Amnt"), &has), noErr);
    EXPECT_EQ(has, 1);
    ASSERT_EQ(registry->Register("key", made, 0), noErr);
    ASSERT_EQ(descriptors->Free(made), noErr);
    EXPECT_EQ(host_.scripting().Lookup("key")->persistent, false);

    ASSERT_EQ(registry->Get("key", &found), noErr);
    double value = 0.0;
    ASSERT_EQ(descriptors->GetFloat(found, FourCC("Amnt"), &value), noErr);
    EXPECT_EQ(value, 12.5);
    EXPECT_NE(descriptors->GetFloat(found, FourCC("Brgh"), &value), noErr);
    int32_t integer = 0;
    EXPECT_NE(descriptors->GetInteger(found, FourCC("Amnt"), &integer), noErr);
    EXPECT_EQ(host_.Leaks().actionDescriptors, 1u);
    ASSERT_EQ(descriptors->Free(found), noErr);
    ASSERT_EQ(registry->Erase("key"), noErr);
    EXPECT_EQ(host_.scripting().Lookup("key"), nullptr);

    void* block = nullptr;
    ASSERT_EQ(basic.AllocateBlock(16, &block), kSPNoError);
    ASSERT_EQ(basic.ReallocateBlock(block, 64, &block), kSPNoError);
    EXPECT_EQ(host_.Leaks().basicBlocks, 1u);
    ASSERT_EQ(basic.FreeBlock(block), kSPNoError);
    EXPECT_TRUE(basic.IsEqual("same", "same"));
    EXPECT_EQ(basic.Undefined(), kSPUnimplementedError);

    EXPECT_EQ(host_.Leaks().heldSuites, 2u);
    EXPECT_EQ(basic.ReleaseSuite(kPSDescriptorRegistrySuite, 1), kSPNoError);
    EXPECT_EQ(basic.ReleaseSuite(kPSActionDescriptorSuite, 2), kSPNoError);
    EXPECT_EQ(basic.ReleaseSuite(kPSActionDescriptorSuite, 2), kSPBadParameterError);
    host_.EndInvocation(false, false);
    const HostLeaks leaks = host_.Leaks();
    EXPECT_EQ(leaks.heldSuites, 0u);
    EXPECT_EQ(leaks.misuse, 1u);  // the second release
}

}  // namespace
