#pragma once

namespace orv {

// The record finder as the operations see it: set up for a mode (0 face sheets,
// 1 assessments, 2 RAP summaries, 3 medication surveys), shown modal, and the pick left in
// CurID / CurKijunbi of the state (CurID empty when nothing was picked).
class RecordFinder
{
public:
    virtual ~RecordFinder() = default;
    virtual void pick(int mode, bool withNewButton = false) = 0;
};

} // namespace orv
