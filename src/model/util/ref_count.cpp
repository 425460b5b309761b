#include "model/util/ref_count.h"

namespace DWFUtil {

RefCount::~RefCount() = default;

void RefCount::DecRef() { --count_; }

void RefCount::IncRef() { ++count_; }

bool RefCount::UnReferenced() const { return count_ == 0; }

}  // namespace DWFUtil
