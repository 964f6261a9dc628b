#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/object.h"
#include "core/object_list.h"

namespace {

using core::ObjectList;
using core::Ref;
using core::ToolkitObject;

// A toolkit object that writes its name into a shared log when it goes, so
// that tests can see whether and in which order objects were destroyed.
class Probe : public ToolkitObject {
public:
    Probe(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}

    void init() override { initialised = true; }
    bool initialised = false;

protected:
    ~Probe() override { log_.push_back(name_); }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

// Frees a plain integer handed over as an owned object.
std::vector<int>* freedIntegers = nullptr;
void freeInteger(void* object) {
    freedIntegers->push_back(*static_cast<int*>(object));
    delete static_cast<int*>(object);
}

class ToolkitObjectLifetime : public ::testing::Test {
protected:
    Probe* newProbe(const std::string& name) { return new Probe(log, name); }

    std::vector<std::string> log;
};

TEST_F(ToolkitObjectLifetime, CreatorsReleaseDestroysAnObjectWithoutOtherReferences) {
    Probe* probe = newProbe("probe");
    EXPECT_EQ(probe->refCount(), 0);
    probe->release();
    EXPECT_EQ(log, std::vector<std::string>{"probe"});
}

TEST_F(ToolkitObjectLifetime, EachAddedReferenceKeepsTheObjectThroughOneRelease) {
    Probe* probe = newProbe("probe");
    probe->addRef();
    probe->addRef();
    EXPECT_EQ(probe->refCount(), 4);
    probe->release();
    probe->release();
    EXPECT_EQ(probe->refCount(), 0);
    EXPECT_TRUE(log.empty());
    probe->release();
    EXPECT_EQ(log, std::vector<std::string>{"probe"});
}

TEST_F(ToolkitObjectLifetime, OnDestroyEventRunsOnceBeforeOwnedObjectsAreFreed) {
    Probe* owner = newProbe("owner");
    int calls = 0;
    ToolkitObject* sender = nullptr;
    owner->setOnDestroy([&](ToolkitObject& object) {
        ++calls;
        sender = &object;
        log.push_back("event");
    });
    owner->addOwned(newProbe("owned"), core::releaseToolkitObject);
    ToolkitObject* const ownerAddress = owner;
    owner->release();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(sender, ownerAddress);
    EXPECT_EQ(log, (std::vector<std::string>{"owner", "event", "owned"}));
}

TEST_F(ToolkitObjectLifetime, OwnedObjectsAreFreedInTheOrderTheyWereAdded) {
    std::vector<int> integers;
    freedIntegers = &integers;
    Probe* owner = newProbe("owner");
    owner->addOwned(newProbe("first"), core::releaseToolkitObject);
    owner->addOwned(new int(2), freeInteger);
    owner->addOwned(newProbe("third"), core::releaseToolkitObject);
    owner->addOwned(new int(4), freeInteger);
    owner->addOwned(newProbe("fifth"), core::releaseToolkitObject);
    owner->release();
    EXPECT_EQ(log, (std::vector<std::string>{"owner", "first", "third", "fifth"}));
    EXPECT_EQ(integers, (std::vector<int>{2, 4}));
    freedIntegers = nullptr;
}

TEST_F(ToolkitObjectLifetime, OwnedObjectWithAnotherReferenceOutlivesItsOwner) {
    Probe* owner = newProbe("owner");
    Probe* shared = newProbe("shared");
    shared->addRef();
    owner->addOwned(shared, core::releaseToolkitObject);
    owner->release();
    EXPECT_EQ(log, std::vector<std::string>{"owner"});
    EXPECT_EQ(shared->refCount(), 0);
    shared->release();
    EXPECT_EQ(log, (std::vector<std::string>{"owner", "shared"}));
}

TEST_F(ToolkitObjectLifetime, ReleasingANullObjectDoesNothing) {
    core::releaseToolkitObject(nullptr);
    EXPECT_TRUE(log.empty());
}

TEST_F(ToolkitObjectLifetime, CreateRunsTheInitialisation) {
    Ref<Probe> probe = core::create<Probe>(log, "probe");
    EXPECT_TRUE(probe->initialised);
    EXPECT_EQ(probe->refCount(), 0);
}

TEST_F(ToolkitObjectLifetime, RefAdoptsTheCreatorsReferenceAndReleasesItWhenItGoes) {
    {
        Ref<Probe> probe(newProbe("probe"));
        EXPECT_EQ(probe->refCount(), 0);
    }
    EXPECT_EQ(log, std::vector<std::string>{"probe"});
}

TEST_F(ToolkitObjectLifetime, CopiedRefAddsAReferenceAndTheLastCopyDestroys) {
    Ref<Probe> original(newProbe("probe"));
    {
        Ref<Probe> copy = original;
        EXPECT_EQ(copy.get(), original.get());
        EXPECT_EQ(original->refCount(), 2);
    }
    EXPECT_EQ(original->refCount(), 0);
    EXPECT_TRUE(log.empty());
    original.reset();
    EXPECT_FALSE(original);
    EXPECT_EQ(log, std::vector<std::string>{"probe"});
}

TEST_F(ToolkitObjectLifetime, MovedRefHandsOverTheReferenceWithoutCounting) {
    Ref<Probe> source(newProbe("probe"));
    Probe* const object = source.get();
    Ref<Probe> target = std::move(source);
    EXPECT_FALSE(source);
    EXPECT_EQ(target.get(), object);
    EXPECT_EQ(object->refCount(), 0);
    Ref<ToolkitObject> base = std::move(target);
    EXPECT_FALSE(target);
    EXPECT_EQ(base.get(), object);
    EXPECT_EQ(object->refCount(), 0);
    base.reset();
    EXPECT_EQ(log, std::vector<std::string>{"probe"});
}

TEST_F(ToolkitObjectLifetime, AssignedRefReleasesTheObjectItHeldBefore) {
    Ref<Probe> first(newProbe("first"));
    Ref<Probe> second(newProbe("second"));
    first = second;
    EXPECT_EQ(log, std::vector<std::string>{"first"});
    EXPECT_EQ(second->refCount(), 2);
    second = Ref<Probe>();
    EXPECT_EQ(first->refCount(), 0);
    EXPECT_EQ(log, std::vector<std::string>{"first"});
}

TEST_F(ToolkitObjectLifetime, SelfAssignedSoleRefKeepsItsObject) {
    Ref<Probe> probe(newProbe("probe"));
    Ref<Probe>& same = probe;
    probe = same;
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(probe->refCount(), 0);
}

TEST_F(ToolkitObjectLifetime, DetachedRefLeavesTheObjectToTheCaller) {
    Ref<Probe> probe(newProbe("probe"));
    Probe* const object = probe.detach();
    EXPECT_FALSE(probe);
    probe.reset();
    EXPECT_TRUE(log.empty());
    object->release();
    EXPECT_EQ(log, std::vector<std::string>{"probe"});
}

// --- ObjectList ------------------------------------------------------------

// Distinct addresses to store; the list never looks at what they point to.
std::array<int, 64> slots{};
void* item(std::size_t index) { return &slots.at(index); }

// The capacity after each of `count` appends to `list`.
std::vector<std::int32_t> capacitiesWhileAdding(ObjectList& list, std::size_t count) {
    std::vector<std::int32_t> capacities;
    for (std::size_t i = 0; i < count; ++i) {
        list.add(item(i));
        capacities.push_back(list.capacity());
    }
    return capacities;
}

class ObjectListTest : public ::testing::Test {
protected:
    Ref<ObjectList> list = core::create<core::ObjectList>();
};

TEST_F(ObjectListTest, NewListIsEmptyWithGrowthStepFour) {
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->capacity(), 0);
    EXPECT_EQ(list->growthStep(), 4);
    EXPECT_EQ(list->at(0), nullptr);
}

TEST_F(ObjectListTest, AddAppendsAndGivesTheNewIndex) {
    for (std::int32_t i = 0; i < 20; ++i) EXPECT_EQ(list->add(item(static_cast<std::size_t>(i))), i);
    EXPECT_EQ(list->count(), 20);
    for (std::int32_t i = 0; i < 20; ++i) EXPECT_EQ(list->at(i), item(static_cast<std::size_t>(i))) << "index " << i;
}

TEST_F(ObjectListTest, NullItemIsStoredAndCounted) {
    list->add(item(0));
    EXPECT_EQ(list->add(nullptr), 1);
    list->add(item(2));
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->at(1), nullptr);
    EXPECT_EQ(list->at(2), item(2));
}

TEST_F(ObjectListTest, FullListGrowsByTheGrowthStep) {
    EXPECT_EQ(capacitiesWhileAdding(*list, 9), (std::vector<std::int32_t>{4, 4, 4, 4, 8, 8, 8, 8, 12}));
}

TEST_F(ObjectListTest, ChangedGrowthStepAppliesFromTheNextGrowth) {
    capacitiesWhileAdding(*list, 4);
    list->setGrowthStep(10);
    list->add(item(4));
    EXPECT_EQ(list->capacity(), 14);
}

TEST_F(ObjectListTest, GrowthStepZeroGrowsByAQuarterPlusOne) {
    list->setGrowthStep(0);
    EXPECT_EQ(capacitiesWhileAdding(*list, 15),
              (std::vector<std::int32_t>{1, 2, 3, 4, 6, 6, 8, 8, 11, 11, 11, 14, 14, 14, 18}));
}

TEST_F(ObjectListTest, ItemsKeepTheirPlacesThroughGrowth) {
    list->setGrowthStep(0);
    capacitiesWhileAdding(*list, slots.size());
    for (std::size_t i = 0; i < slots.size(); ++i) EXPECT_EQ(list->at(static_cast<std::int32_t>(i)), item(i));
}

TEST_F(ObjectListTest, IndexOutsideTheItemsGivesNothing) {
    capacitiesWhileAdding(*list, 3);  // capacity 4: index 3 is allocated but holds no item
    EXPECT_EQ(list->at(-1), nullptr);
    EXPECT_EQ(list->at(3), nullptr);
    EXPECT_EQ(list->at(4), nullptr);
    EXPECT_EQ(list->at(INT32_MIN), nullptr);
    EXPECT_EQ(list->at(INT32_MAX), nullptr);
}

TEST_F(ObjectListTest, ClearEmptiesTheListAndItGrowsAfreshAfterwards) {
    capacitiesWhileAdding(*list, 6);
    list->clear();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->capacity(), 0);
    EXPECT_EQ(list->at(0), nullptr);
    EXPECT_EQ(list->add(item(7)), 0);
    EXPECT_EQ(list->capacity(), 4);
    EXPECT_EQ(list->at(0), item(7));
}

TEST_F(ObjectListTest, ListDoesNotFreeTheObjectsItHolds) {
    std::vector<std::string> log;
    Ref<Probe> probe = core::create<Probe>(log, "held");
    list->add(probe.get());
    list.reset();
    EXPECT_TRUE(log.empty());
    probe.reset();
    EXPECT_EQ(log, std::vector<std::string>{"held"});
}

}  // namespace
