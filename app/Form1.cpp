// The window: its controls, where they sit, and the two layout passes that keep them in
// proportion.
#include "app/Form1.h"
#include "base/ErrorSkipping.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "app/LongListPopup.h"
#include "app/Resources.h"
#include "app/WxText.h"
#include "app/gtk/Accessibility.h"
#include "app/gtk/Focus.h"
#include "app/gtk/FolderWatch.h"
#include "app/gtk/ToolbarLook.h"
#include "base/Commands.h"
#include "base/Texts.h"

namespace zemora {

namespace {

// The window's size and places are in twips (15 to the pixel at 96 DPI).
constexpr int kInnerWidth = 9945;
constexpr int kInnerHeight = 7785;

} // namespace

Form1::Form1(Form1Seams seams)
    : wxFrame(nullptr, wxID_ANY, wxText(kCaption)),
      Timer1(6600, 3960),
      ImageList1{{}, PositionOnlyEntry(3240, 3600)},
      seams_(std::move(seams)),
      inner_(nullptr),
      scale_(this)
{
    SetIcons(programIcon());
    SetClientSize(scale_.toPixels(kInnerWidth), scale_.toPixels(kInnerHeight));
    inner_ = new wxPanel(this, wxID_ANY, wxPoint(0, 0), GetClientSize());
    useCompactControls(inner_);
    createControls();
    describeControls();
    setTabOrder();
    wireEvents();
    addPageTools();
    wireKeys();
}

Form1::~Form1() { Timer1.Stop(); }

void Form1::createControls()
{
    // Creation order is the collection's order: the layout's slot numbers follow it.
    const auto place = [this](wxWindow* w, float left, float top, float width, float height) {
        auto entry = std::make_unique<WindowEntry>(w, scale_);
        entry->Set(Prop::Left, left);
        entry->Set(Prop::Top, top);
        entry->Set(Prop::Width, width);
        entry->Set(Prop::Height, height);
        collection_.push_back(entry.get());
        entries_.push_back(std::move(entry));
    };
    // The engine starts its helper processes as soon as its control exists; let that
    // run while the rest of the window is built. It still takes its place in order below.
    WebBrowser1 = seams_.createBrowser(inner_);
    ImageList1.ListImages = toolbarPictures(pictureSize());

    const auto combo = [this](std::string_view text) {
        return new wxComboBox(inner_, wxID_ANY, wxText(text), wxDefaultPosition, wxDefaultSize, 0, nullptr,
                              wxCB_DROPDOWN);
    };

    autofresh = new wxButton(inner_, wxID_ANY, wxText(kAutoRefreshCaption));
    place(autofresh, 9050, 1080, 840, 270);

    collection_.push_back(&Timer1.entry);

    Combo2 = std::make_unique<ComboBox>(combo(kFavoritesPrompt));
    place(Combo2->Window(), 5880, 1080, 3135, 300);
    openLongListsOurselves(*Combo2);

    Text2 = new wxTextCtrl(inner_, wxID_ANY, wxText(kAddressPrompt));
    place(Text2, 6480, 2040, 2415, 270);
    Text1 = new wxTextCtrl(inner_, wxID_ANY, wxText(kNamePrompt));
    place(Text1, 3240, 1800, 2415, 270);
    // They only carry the page's name and address for adding a favorite.
    Text2->Hide();
    Text1->Hide();
    hideFromAssistiveTools(Text2);
    hideFromAssistiveTools(Text1);

    createToolbar();
    place(Toolbar1->Window(), 0, 0, 9945, 945);

    collection_.push_back(&ImageList1.entry);

    Combo1 = std::make_unique<ComboBox>(combo({}));
    place(Combo1->Window(), 840, 1080, 3975, 300);

    Command1 = new wxButton(inner_, wxID_ANY, wxText(kGoCaption));
    place(Command1, 4980, 1080, 735, 255);

    place(WebBrowser1->Window(), 0, 1440, 9970, 6015);

    // The banner labels nothing; "Address:" labels the address box, not the control after
    // it in tab order.
    Label2 = createLabel(inner_, wxText(kBannerAtStart), wxST_NO_AUTORESIZE);
    place(Label2, 0, 7560, 10455, 255);
    Label1 = createLabel(inner_, wxText(kAddressLabel), wxST_NO_AUTORESIZE, Combo1->Window());
    place(Label1, 110, 1110, 735, 255);
    centreLabelText(Label1);
    centreLabelText(Label2);
}

void Form1::createToolbar()
{
    wxToolBar* bar = createKeyboardToolBar(inner_, wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TEXT | wxTB_NODIVIDER);
    bar->SetToolBitmapSize(pictureSize());
    std::vector<ToolbarButton> buttons;
    int image = 1;
    for (const ToolbarButtonText& text : kToolbarButtons) {
        const int id = wxWindow::NewControlId();
        const wxString caption = wxText(text.caption);
        bar->AddTool(id, caption, ImageList1.ListImages[static_cast<std::size_t>(image) - 1]);
        buttons.push_back({wxText(text.key), caption, image, id});
        ++image;
    }
    bar->Realize();
    keepCaptionsOffPictures(bar);
    keepPicturesWithCaptions(bar);
    Toolbar1 = std::make_unique<Toolbar>(bar, std::move(buttons));
    bar->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        fitToolbarPictures();
    });
}

void Form1::describeControls()
{
    describeForAssistiveTools(Combo2->Window(), wxText(kFavoritesListName), wxText(kFavoritesPrompt));
    describeForAssistiveTools(WebBrowser1->Window(), wxText(kPageAreaName));
    nameToolsByCaptions(Toolbar1->Window());
    tellPressedState(autofresh);
}

void Form1::setTabOrder()
{
    wxWindow* const order[] = {WebBrowser1->Window(), Label1,   Command1, Combo1->Window(),
                               Toolbar1->Window(),    Label2,   Text1,    Text2,
                               Combo2->Window(),      autofresh};
    followTabOrder(inner_, {std::begin(order), std::end(order)});
}

wxSize Form1::pictureSize() const { return {scale_.toPixels(kPictureTwipsWide), scale_.toPixels(kPictureTwipsHigh)}; }

void Form1::CaptureLayout() { captureLayout(*this, *this); }

void Form1::ApplyLayout()
{
    // Moving a dozen native widgets one property at a time; paint once at the end.
    Freeze();
    skipError([this] { applyLayout(*this, *this); });
    Thaw();
}

std::vector<LayoutControl*> Form1::Controls() { return collection_; }

float Form1::ScaleWidth() const { return scale_.toTwips(GetClientSize().x); }

float Form1::ScaleHeight() const { return scale_.toTwips(GetClientSize().y); }

} // namespace zemora
