// A service seam answers with the table installed last, and using one that
// nothing was installed into stops the program naming the service.
#include "runtime/service_seam.h"

#include <gtest/gtest.h>

namespace {

struct Answers {
  int (*value)();
};

int One() { return 1; }
int Two() { return 2; }

TEST(ServiceSeam, TheLastInstalledTableAnswersAndNoneIsAWiringFault) {
  ServiceSeam<Answers> seam{"answers"};
  EXPECT_DEATH(seam.Get(), "INTERNAL ERROR: answers used before a service was installed");
  const Answers one{One}, two{Two};
  seam.Install(&one);
  seam.Install(&two);
  EXPECT_EQ(seam.Get().value(), 2);
  seam.Install(nullptr);
  EXPECT_DEATH(seam.Get(), "answers used before");
}

}  // namespace
