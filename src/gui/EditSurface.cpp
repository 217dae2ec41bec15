#include "gui/EditSurface.h"
#include "gui/Artwork.h"
#include "gui/Envel.h"
#include "gui/PanelLegend.h"
#include "midi/SoundHistory.h"
#include "plugin/MorvexAudioProcessor.h"

namespace
{
constexpr int firstEnvelopeParameter = 43, lastEnvelopeParameter = 50;

bool isEnvelopeParameter (int p) noexcept
{
    return p >= firstEnvelopeParameter && p <= lastEnvelopeParameter;
}
}

EditSurface::EditSurface (MorvexAudioProcessor& p, float z)
    : processor (p), engine (p.getEngine()), zoom (z), texture (Artwork::get ("panel_png"))
{
    setOpaque (true);
    auto& table = engine.getParTable();
    const auto& images = processor.getPanelImages();

    for (int parameter = 0; parameter < ParTable::numRows; ++parameter)
    {
        const auto section = table.getSection (parameter);
        if (section < 1 || section > 15)
            continue;

        auto* control = controls.add (new StsCont (engine, images, parameter, table.getControlKind (parameter),
                                                   table.getDisplayFormat (parameter),
                                                   PanelLegend::controlArea (table, parameter)));
        control->setZoom (zoom);
        addAndMakeVisible (control);
        control->addChangeListener (this);
    }

    addAndMakeVisible (programDisplay);
    for (int k = 0; k < PanelLegend::numProgrammerKeys; ++k)
        addAndMakeVisible (programmerKeys.add (new ProgrammerKey (k)));
    setSize (400, 400);
}

EditSurface::~EditSurface()
{
    for (auto* control : controls)
        control->removeChangeListener (this);
}

void EditSurface::setZoom (float z)
{
    zoom = z;
    setSize (juce::roundToInt ((float) unitWidth * z), juce::roundToInt ((float) unitHeight * z));
}

StsCont* EditSurface::getControl (int p) const noexcept
{
    for (auto* control : controls)
        if (control->getParameter() == p)
            return control;
    return nullptr;
}

void EditSurface::showParameter (int p, int v)
{
    const auto section = engine.getParTable().getSection (p);
    if (section < 1 || section > 14)
        return;

    for (auto* control : controls)
        if (control->getParameter() == p)
            control->showValue (v);

    if (isEnvelopeParameter (p))
        updateEnvelope (p, engine.getParTable().limitValue (p, v));
}

void EditSurface::refreshAll()
{
    for (int p = 0; p < ParTable::numNrpns; ++p)
        showParameter (p, engine.getPluginBank().singleByte (p));

    const auto group = engine.getCurrentBank(), index = juce::jmax (0, engine.getCurrentProgram());
    // user groups 0..4 show as 1..5, factory groups 5..9 as 1..5 as well
    const auto groupDigit = group < 0 ? -1 : group <= 4 ? group + 1 : group - 4;
    programDisplay.setDigits (groupDigit, index / 8 + 1, index % 8 + 1);
    programDisplay.repaint();
}

void EditSurface::updateEnvelope (int p, int v)
{
    const auto filter = (p - firstEnvelopeParameter) % 2 == 0;
    auto* graph = processor.getEnvelopeGraph (filter ? 12 : 3);
    // the graph being dragged keeps showing what the pointer asks for, even past a knob's end
    if (graph == nullptr || graph == takingFrom)
        return;

    graph->setStage ((p - firstEnvelopeParameter) / 2, (float) v);
    graph->recompute();
}

void EditSurface::takeEnvelope (Envel& graph)
{
    // a drag of the graph is one step of the history, however many of its four knobs it moved
    auto* history = engine.getSoundHistory();
    if (graph.getState() == Envel::pressedOnHandle && history != nullptr)
        history->beginGesture (graph.getSection() == 12 ? "Filter Envelope" : "Amplifier Envelope");
    else if (graph.getState() == Envel::released && history != nullptr)
        history->endGesture();

    if (graph.getState() != Envel::dragging)
        return;

    const auto first = graph.getSection() == 12 ? firstEnvelopeParameter : firstEnvelopeParameter + 1;
    const juce::ScopedValueSetter<Envel*> taking (takingFrom, &graph);
    // Only the stages the drag moved: the others would go out as full NRPNs on every move.
    for (int stage = 0; stage < 4; ++stage)
        if (auto* control = getControl (first + 2 * stage))
            if (const auto v = (int) graph.getStage (stage);
                engine.getParTable().limitValue (control->getParameter(), v) != control->getValue())
                control->applyValue (v);
}

void EditSurface::updateMarks()
{
    const auto stored = engine.getStoredProgram();
    const auto current = engine.getEditBuffer();
    for (auto* control : controls)
    {
        const auto p = (size_t) control->getParameter();
        control->setEdited (p < current.size() && current[p] != stored[p]);
    }
}

void EditSurface::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    // a panel edit of an envelope parameter: its graph follows
    if (auto* control = dynamic_cast<StsCont*> (source))
        if (isEnvelopeParameter (control->getParameter()))
            updateEnvelope (control->getParameter(), control->getValue());
}

//==============================================================================
void EditSurface::resized()
{
    // drawn when next painted: a panel resized several times while it is built renders once
    background = {};
    for (auto* control : controls)
        control->setZoom (zoom);

    const auto d = PanelLegend::programDisplayArea.toFloat() * zoom;
    programDisplay.setBounds (d.getSmallestIntegerContainer());
    programDisplay.setZoom (zoom);
    for (auto* key : programmerKeys)
        key->setBounds ((PanelLegend::programmerKeyArea (engine.getParTable(), key->getIndex()) * zoom).toNearestInt());
}

void EditSurface::renderBackground()
{
    const auto w = juce::roundToInt ((float) unitWidth * zoom), h = juce::roundToInt ((float) unitHeight * zoom);
    if (w <= 0 || h <= 0)
        return;

    // The printing depends on the zoom alone, so every editor of the process shares one picture per
    // zoom: opening the editor again does not draw it again.
    background = Artwork::cachedPicture (0x4c67, 0, w, h, [this] (juce::Graphics& g)
    {
        // the paint's grain is tiled at its own size, so it looks the same at every zoom
        if (texture.isValid())
            g.setTiledImageFill (texture, 0, 0, 1.0f);
        else
            g.setColour (juce::Colour (0xff111111));
        g.fillAll();

        g.addTransform (juce::AffineTransform::scale (zoom));
        PanelLegend::paint (g, engine.getParTable());
    }, true);
}

void EditSurface::paint (juce::Graphics& g)
{
    if (! background.isValid())
        renderBackground();
    if (! background.getBounds().contains (getLocalBounds()))
        g.fillAll (juce::Colour (0xff101010));
    g.drawImageAt (background, 0, 0);

    g.setColour (juce::Colour (0xff050505));
    g.drawRect (getLocalBounds(), 1);
}
