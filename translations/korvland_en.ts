<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>korvland::ConflictChoice</name>
    <message numerus="yes">
        <source>Another program changed %n landmark(s) where your unsaved changes change the same fields. Keep which?</source>
        <translation>
            <numerusform>Another program changed %n landmark where your unsaved changes change the same fields. Keep which?</numerusform>
            <numerusform>Another program changed %n landmarks where your unsaved changes change the same fields. Keep which?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>korvland::EditActions</name>
    <message numerus="yes">
        <source>%n of the %1 selected landmarks (is|are) hidden by the filter. Change (it|them) too?</source>
        <extracomment>%n is the number of selected landmarks the filter hides, %1 that of all selected.</extracomment>
        <translation>
            <numerusform>%n of the %1 selected landmarks is hidden by the filter. Change it too?</numerusform>
            <numerusform>%n of the %1 selected landmarks are hidden by the filter. Change them too?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Set &amp;Side of %n Landmark(s)</source>
        <extracomment>Submenu: sets the side of the %n selected landmarks, always more than one.</extracomment>
        <translation>
            <numerusform>Set &amp;Side of %n Landmark</numerusform>
            <numerusform>Set &amp;Side of %n Landmarks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Switch &amp;On %n Landmark(s)</source>
        <extracomment>%n is the number of selected landmarks, always more than one.</extracomment>
        <translation>
            <numerusform>Switch &amp;On %n Landmark</numerusform>
            <numerusform>Switch &amp;On %n Landmarks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>S&amp;witch Off %n Landmark(s)</source>
        <extracomment>%n is the number of selected landmarks, always more than one.</extracomment>
        <translation>
            <numerusform>S&amp;witch Off %n Landmark</numerusform>
            <numerusform>S&amp;witch Off %n Landmarks</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>korvland::EditorWindow</name>
    <message numerus="yes">
        <source>%1 was changed by another program: %n record(s)</source>
        <extracomment>The status line: %1 is the file being edited.</extracomment>
        <translation>
            <numerusform>%1 was changed by another program: %n record</numerusform>
            <numerusform>%1 was changed by another program: %n records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 has been changed by another program since it was opened: %n record(s) differ. Merge your unsaved changes into it, or replace it with the editor&apos;s landmarks?</source>
        <extracomment>%1 is the file being edited.</extracomment>
        <translation>
            <numerusform>%1 has been changed by another program since it was opened: %n record differs. Merge your unsaved changes into it, or replace it with the editor&apos;s landmarks?</numerusform>
            <numerusform>%1 has been changed by another program since it was opened: %n records differ. Merge your unsaved changes into it, or replace it with the editor&apos;s landmarks?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>korvland::KeptWorkOffer</name>
    <message numerus="yes">
        <source>korvland ended while %1 in %2 had %n unsaved change(s) (%3).</source>
        <extracomment>%1 is the file name, %2 its folder, %3 when (&quot;today 23:14&quot;).</extracomment>
        <translation>
            <numerusform>korvland ended while %1 in %2 had %n unsaved change (%3).</numerusform>
            <numerusform>korvland ended while %1 in %2 had %n unsaved changes (%3).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restore (it|them)?</source>
        <translation>
            <numerusform>Restore it?</numerusform>
            <numerusform>Restore them?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>korvland::MapComparison</name>
    <message numerus="yes">
        <source>Compared with %1: %n changed</source>
        <extracomment>The comparison&apos;s legend: %1 is the name of the file compared with.</extracomment>
        <translation>
            <numerusform>Compared with %1: %n changed</numerusform>
            <numerusform>Compared with %1: %n changed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n added</source>
        <translation>
            <numerusform>, %n added</numerusform>
            <numerusform>, %n added</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n removed</source>
        <translation>
            <numerusform>, %n removed</numerusform>
            <numerusform>, %n removed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n unknown byte(s) differ</source>
        <translation>
            <numerusform>%n unknown byte differs</numerusform>
            <numerusform>%n unknown bytes differ</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>korvland::OwnershipWindow</name>
    <message numerus="yes">
        <source>Select the %n Allied airfields</source>
        <extracomment>The tool tip of a count of one or more that selects what it counts: &quot;Select the Allied airfield&quot; for one, &quot;Select the %n Allied airfields&quot; for more.</extracomment>
        <translation>
            <numerusform>Select the Allied airfield</numerusform>
            <numerusform>Select the %n Allied airfields</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied airfields</source>
        <extracomment>What the status table keeps to, shown in its filter row as &quot;Only %1&quot; (korvland::FilterRow): use the case that follows &quot;Only&quot;. &quot;the Allied airfield&quot; for one, &quot;the %n Allied airfields&quot; for more.</extracomment>
        <translation>
            <numerusform>the Allied airfield</numerusform>
            <numerusform>the %n Allied airfields</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied cities</source>
        <translation>
            <numerusform>Select the Allied city</numerusform>
            <numerusform>Select the %n Allied cities</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied cities</source>
        <translation>
            <numerusform>the Allied city</numerusform>
            <numerusform>the %n Allied cities</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied supply landmarks</source>
        <translation>
            <numerusform>Select the Allied supply landmark</numerusform>
            <numerusform>Select the %n Allied supply landmarks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied supply landmarks</source>
        <translation>
            <numerusform>the Allied supply landmark</numerusform>
            <numerusform>the %n Allied supply landmarks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied train stations</source>
        <translation>
            <numerusform>Select the Allied train station</numerusform>
            <numerusform>Select the %n Allied train stations</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied train stations</source>
        <translation>
            <numerusform>the Allied train station</numerusform>
            <numerusform>the %n Allied train stations</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied bridges</source>
        <translation>
            <numerusform>Select the Allied bridge</numerusform>
            <numerusform>Select the %n Allied bridges</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied bridges</source>
        <translation>
            <numerusform>the Allied bridge</numerusform>
            <numerusform>the %n Allied bridges</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied factories</source>
        <translation>
            <numerusform>Select the Allied factory</numerusform>
            <numerusform>Select the %n Allied factories</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied factories</source>
        <translation>
            <numerusform>the Allied factory</numerusform>
            <numerusform>the %n Allied factories</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied towns</source>
        <translation>
            <numerusform>Select the Allied town</numerusform>
            <numerusform>Select the %n Allied towns</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied towns</source>
        <translation>
            <numerusform>the Allied town</numerusform>
            <numerusform>the %n Allied towns</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied villages</source>
        <translation>
            <numerusform>Select the Allied village</numerusform>
            <numerusform>Select the %n Allied villages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied villages</source>
        <translation>
            <numerusform>the Allied village</numerusform>
            <numerusform>the %n Allied villages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n Allied blank landmarks</source>
        <translation>
            <numerusform>Select the Allied blank landmark</numerusform>
            <numerusform>Select the %n Allied blank landmarks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n Allied blank landmarks</source>
        <translation>
            <numerusform>the Allied blank landmark</numerusform>
            <numerusform>the %n Allied blank landmarks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German airfields</source>
        <translation>
            <numerusform>Select the German airfield</numerusform>
            <numerusform>Select the %n German airfields</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German airfields</source>
        <translation>
            <numerusform>the German airfield</numerusform>
            <numerusform>the %n German airfields</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German cities</source>
        <translation>
            <numerusform>Select the German city</numerusform>
            <numerusform>Select the %n German cities</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German cities</source>
        <translation>
            <numerusform>the German city</numerusform>
            <numerusform>the %n German cities</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German supply landmarks</source>
        <translation>
            <numerusform>Select the German supply landmark</numerusform>
            <numerusform>Select the %n German supply landmarks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German supply landmarks</source>
        <translation>
            <numerusform>the German supply landmark</numerusform>
            <numerusform>the %n German supply landmarks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German train stations</source>
        <translation>
            <numerusform>Select the German train station</numerusform>
            <numerusform>Select the %n German train stations</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German train stations</source>
        <translation>
            <numerusform>the German train station</numerusform>
            <numerusform>the %n German train stations</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German bridges</source>
        <translation>
            <numerusform>Select the German bridge</numerusform>
            <numerusform>Select the %n German bridges</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German bridges</source>
        <translation>
            <numerusform>the German bridge</numerusform>
            <numerusform>the %n German bridges</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German factories</source>
        <translation>
            <numerusform>Select the German factory</numerusform>
            <numerusform>Select the %n German factories</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German factories</source>
        <translation>
            <numerusform>the German factory</numerusform>
            <numerusform>the %n German factories</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German towns</source>
        <translation>
            <numerusform>Select the German town</numerusform>
            <numerusform>Select the %n German towns</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German towns</source>
        <translation>
            <numerusform>the German town</numerusform>
            <numerusform>the %n German towns</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German villages</source>
        <translation>
            <numerusform>Select the German village</numerusform>
            <numerusform>Select the %n German villages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German villages</source>
        <translation>
            <numerusform>the German village</numerusform>
            <numerusform>the %n German villages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Select the %n German blank landmarks</source>
        <translation>
            <numerusform>Select the German blank landmark</numerusform>
            <numerusform>Select the %n German blank landmarks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %n German blank landmarks</source>
        <translation>
            <numerusform>the German blank landmark</numerusform>
            <numerusform>the %n German blank landmarks</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>korvland::SaveQuestions</name>
    <message numerus="yes">
        <source>%n change(s) not saved.</source>
        <extracomment>The first sentence of the question before unsaved changes are lost.</extracomment>
        <translation>
            <numerusform>%n change not saved.</numerusform>
            <numerusform>%n changes not saved.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Save the change(s) to %1 before quitting?</source>
        <extracomment>%1 is the file being edited.</extracomment>
        <translation>
            <numerusform>Save the change to %1 before quitting?</numerusform>
            <numerusform>Save the changes to %1 before quitting?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Save the change(s) to %1 before opening %2?</source>
        <extracomment>%1 is the file being edited, %2 the file about to be opened.</extracomment>
        <translation>
            <numerusform>Save the change to %1 before opening %2?</numerusform>
            <numerusform>Save the changes to %1 before opening %2?</numerusform>
        </translation>
    </message>
</context>
</TS>
