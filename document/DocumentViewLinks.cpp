#include "document/DocumentViewLinks.h"

#include "platform/Document.h"

namespace {

template <class Link>
std::vector<Link*> FindLinks(const CDocument& doc)
{
    std::vector<Link*> links;
    for (IView* view : doc.GetViews()) {
        if (auto* link = dynamic_cast<Link*>(view))
            links.push_back(link);
    }
    return links;
}

}  // namespace

std::vector<IColorMapViewLink*> FindColorMapViews(const CDocument& doc) { return FindLinks<IColorMapViewLink>(doc); }

std::vector<ISpeakerDataListLink*> FindSpeakerDataLists(const CDocument& doc)
{
    return FindLinks<ISpeakerDataListLink>(doc);
}

std::vector<ITapListLink*> FindTapLists(const CDocument& doc) { return FindLinks<ITapListLink>(doc); }
