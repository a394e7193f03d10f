#pragma once
// Shared between a window and the job it posted: the window sets it, the job
// looks at it between its pieces.
#include <atomic>
#include <memory>

using TCancelFlag = std::shared_ptr<std::atomic<bool>>;

inline TCancelFlag NewCancelFlag()
{
    return std::make_shared<std::atomic<bool>>(false);
}
