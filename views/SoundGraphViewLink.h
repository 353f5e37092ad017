#pragma once
// A frequency-response view as its document sees it among its views: the
// views of one document find each other through this interface (a closing
// view renumbers the graph entries of the views after it).

class CSoundGraphViewCore;

class ISoundGraphViewLink {
public:
    virtual ~ISoundGraphViewLink() = default;
    virtual CSoundGraphViewCore& GetGraphCore() = 0;
};
