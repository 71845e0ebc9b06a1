<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>frmTarvolen_300413</name>
    <message>
        <source>Chapter 4:  Tarvolen in a Plane.</source>
        <translation>Kapitel 4:  Tarvolen in der Ebene.</translation>
    </message>
    <message>
        <source>Tarvolen in R²</source>
        <translation>Tarvolen im R²</translation>
    </message>
    <message>
        <source>Let us test it for practice..    Click &apos;Next&apos;</source>
        <translation>Jetzt wird geübt.    Klicke auf „Vor“.</translation>
    </message>
    <message>
        <source>Now  select  length  of  radius  r1   for one circle.</source>
        <extracomment>Keep &quot;r1&quot;; no &quot;2&quot; or other &quot;r1&quot;.</extracomment>
        <translation>Wähle nun die Länge des Radius r1 des ersten Kreises.</translation>
    </message>
    <message>
        <source>Select  length  of  radius  r2  for  the  other circle.</source>
        <extracomment>Keep &quot;r2&quot;; no &quot;1&quot; or other &quot;r2&quot;.</extracomment>
        <translation>Wähle die Länge des Radius r2 des zweiten Kreises.</translation>
    </message>
    <message>
        <source> Select the distance PQ between  their centers P and Q</source>
        <translation>Wähle den Abstand PQ der Mittelpunkte P und Q.</translation>
    </message>
    <message>
        <source>Suppose that the centre of a circle is P and its radius is r1.</source>
        <extracomment>Keep &quot;r1&quot; once; no &quot;2&quot; anywhere.</extracomment>
        <translation>Gegeben sei ein Kreis mit dem Mittelpunkt P und dem Radius r1.</translation>
    </message>
    <message>
        <source>Suppose that in the same plane there is another circle with centre Q and radius r2.</source>
        <extracomment>Keep &quot;r2&quot; once; no &quot;1&quot; anywhere.</extracomment>
        <translation>In derselben Ebene liege ein weiterer Kreis mit dem Mittelpunkt Q und dem Radius r2.</translation>
    </message>
    <message>
        <source>It  will  be  highlighted  according  to  your selection  of  r1 ,  r2  and  PQ.</source>
        <extracomment>Keep &quot;r1&quot;, &quot;r2&quot; and &quot;PQ&quot; once each.</extracomment>
        <translation>Der zutreffende Fall wird je nach deiner Wahl von r1, r2 und PQ hervorgehoben.</translation>
    </message>
    <message>
        <source>Double Click any of these 3 buttons and turn mouse wheel.</source>
        <translation>Doppelklicke auf eine dieser 3 Listen und drehe das Mausrad.</translation>
    </message>
    <message>
        <source> (1)  If PQ =  r1 + r2 then the two circles touch each other externally.</source>
        <extracomment>Keep &quot; (1) &quot; first and the formula as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (1)  Für PQ = r1 + r2 berühren sich die beiden Kreise von außen.</translation>
    </message>
    <message>
        <source> (2)  If PQ = | r1 - r2 | then the two circles touch each other internally.</source>
        <extracomment>Keep &quot; (2) &quot; first and the formula as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (2)  Für PQ = | r1 - r2 | berühren sich die beiden Kreise von innen.</translation>
    </message>
    <message>
        <source> (3)  If | r1 - r2 | &lt; PQ &lt; r1 + r2  then the two circles intersect each other in 2 Points.</source>
        <extracomment>Keep &quot; (3) &quot; first and the formula as written, &quot;r1 + r2&quot; last; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (3)  Für | r1 - r2 | &lt; PQ &lt; r1 + r2 schneiden sich die Kreise in zwei Punkten.</translation>
    </message>
    <message>
        <source> (4)  If PQ &lt; | r1 - r2 |  then the two circles neither intersect nor touch and one of them is inside the other.</source>
        <extracomment>Keep &quot; (4) &quot; first and the formula as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (4)  Für PQ &lt; | r1 - r2 | liegt der kleinere Kreis ohne gemeinsamen Punkt im Innern des größeren.</translation>
    </message>
    <message>
        <source> (5)  If PQ &gt; r1 + r2  then the two circles do not intersect or touch and each is outside the other.</source>
        <extracomment>Keep &quot; (5) &quot; first and the formula &quot;r1 + r2&quot; as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (5)  Für PQ &gt; r1 + r2 liegt jeder Kreis ohne gemeinsamen Punkt außerhalb des anderen.</translation>
    </message>
    <message>
        <source>Next</source>
        <extracomment>One short word on a button 33 pixels wide, as are Back, Print and Home.</extracomment>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Intro</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Druck</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>In this Situation one and only one Possibility exists, out of below five..</source>
        <translation>Für zwei solche Kreise trifft genau einer der fünf folgenden Fälle zu.</translation>
    </message>
    <message>
        <source> Select the distance PQ between  their centers P and Q.</source>
        <translation>Wähle den Abstand PQ der Mittelpunkte P und Q.</translation>
    </message>
    <message>
        <source>Tarvolen in a Plane</source>
        <translation>Tarvolen in der Ebene</translation>
    </message>
    <message>
        <source>This case holds for the chosen r1 = %1, r2 = %2 and PQ = %3.</source>
        <translation>Dieser Fall gilt für die gewählten Werte r1 = %1, r2 = %2 und PQ = %3.</translation>
    </message>
    <message>
        <source>%3 = %1 + %2</source>
        <translation>%3 = %1 + %2</translation>
    </message>
    <message>
        <source>%3 = |%1 − %2|</source>
        <translation>%3 = |%1 − %2|</translation>
    </message>
    <message>
        <source>|%1 − %2| = %4 &lt; %3 &lt; %5 = %1 + %2</source>
        <translation>|%1 − %2| = %4 &lt; %3 &lt; %5 = %1 + %2</translation>
    </message>
    <message>
        <source>%3 &lt; %4 = |%1 − %2|</source>
        <translation>%3 &lt; %4 = |%1 − %2|</translation>
    </message>
    <message>
        <source>%3 &gt; %5 = %1 + %2</source>
        <translation>%3 &gt; %5 = %1 + %2</translation>
    </message>
    <message>
        <source>r1</source>
        <translation>r1</translation>
    </message>
    <message>
        <source>r2</source>
        <translation>r2</translation>
    </message>
    <message>
        <source>PQ</source>
        <translation>PQ</translation>
    </message>
    <message>
        <source>Alt+N</source>
        <extracomment>Alt and the first letter of the translated Next; Back, Print and Home likewise.</extracomment>
        <translation>Alt+V</translation>
    </message>
    <message>
        <source>Alt+B</source>
        <translation>Alt+I</translation>
    </message>
    <message>
        <source>Alt+P</source>
        <translation>Alt+D</translation>
    </message>
    <message>
        <source>Alt+H</source>
        <translation>Alt+E</translation>
    </message>
    <message>
        <source>Programmer: </source>
        <translation>Programmierung: </translation>
    </message>
    <message>
        <source>(Website, </source>
        <translation>(Webseite, </translation>
    </message>
    <message>
        <source>The two circles coincide: they have every point in common.</source>
        <translation>Die beiden Kreise fallen zusammen: sie haben alle Punkte gemeinsam.</translation>
    </message>
    <message>
        <source>Nothing was printed: %1 could not be opened.</source>
        <extracomment>%1 is the printer&apos;s name or the file&apos;s path.</extracomment>
        <translation>Es wurde nichts gedruckt: %1 ließ sich nicht öffnen.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Qt&apos;s Wayland plugin is missing (package qt6-wayland); </source>
        <translation>das Wayland-Modul von Qt fehlt (Paket qt6-wayland); </translation>
    </message>
    <message>
        <source>tarvolen: no display could be opened for the lesson window (%1); %2run it under a virtual one with: xvfb-run -a %3</source>
        <translation>tarvolen: Für das Fenster der Lektion ließ sich keine Anzeige öffnen (%1); %2starte sie in einer virtuellen Anzeige mit: xvfb-run -a %3</translation>
    </message>
    <message>
        <source>tarvolen: the Qt platform plugin &quot;%1&quot; could not be loaded; the platforms Qt has are: %2</source>
        <extracomment>%1 is the platform asked for, %2 the list of those Qt has.</extracomment>
        <translation>tarvolen: Das Qt-Plattform-Plugin „%1“ ließ sich nicht laden; Qt hat diese Plattformen: %2</translation>
    </message>
</context>
</TS>
