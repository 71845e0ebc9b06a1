<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
<context>
    <name>frmTarvolen_300413</name>
    <message>
        <source>Chapter 4:  Tarvolen in a Plane.</source>
        <translation>Capitolo 4:  Tarvolen nel piano.</translation>
    </message>
    <message>
        <source>Tarvolen in R²</source>
        <translation>Tarvolen nel piano R²</translation>
    </message>
    <message>
        <source>Let us test it for practice..    Click &apos;Next&apos;</source>
        <translation>Esercitiamoci.    Clicca su «Vai».</translation>
    </message>
    <message>
        <source>Now  select  length  of  radius  r1   for one circle.</source>
        <extracomment>Keep &quot;r1&quot;; no &quot;2&quot; or other &quot;r1&quot;.</extracomment>
        <translation>Ora scegli la lunghezza del raggio r1 della prima circonferenza.</translation>
    </message>
    <message>
        <source>Select  length  of  radius  r2  for  the  other circle.</source>
        <extracomment>Keep &quot;r2&quot;; no &quot;1&quot; or other &quot;r2&quot;.</extracomment>
        <translation>Scegli la lunghezza del raggio r2 dell’altra circonferenza.</translation>
    </message>
    <message>
        <source> Select the distance PQ between  their centers P and Q</source>
        <translation>Scegli la distanza PQ tra i centri P e Q.</translation>
    </message>
    <message>
        <source>Suppose that the centre of a circle is P and its radius is r1.</source>
        <extracomment>Keep &quot;r1&quot; once; no &quot;2&quot; anywhere.</extracomment>
        <translation>Sia data una circonferenza di centro P e raggio r1.</translation>
    </message>
    <message>
        <source>Suppose that in the same plane there is another circle with centre Q and radius r2.</source>
        <extracomment>Keep &quot;r2&quot; once; no &quot;1&quot; anywhere.</extracomment>
        <translation>Sia data, nello stesso piano, un’altra circonferenza di centro Q e raggio r2.</translation>
    </message>
    <message>
        <source>It  will  be  highlighted  according  to  your selection  of  r1 ,  r2  and  PQ.</source>
        <extracomment>Keep &quot;r1&quot;, &quot;r2&quot; and &quot;PQ&quot; once each.</extracomment>
        <translation>Il caso che si verifica sarà evidenziato secondo la tua scelta di r1, r2 e PQ.</translation>
    </message>
    <message>
        <source>Double Click any of these 3 buttons and turn mouse wheel.</source>
        <translation>Fai doppio clic su uno di questi 3 elenchi e gira la rotellina.</translation>
    </message>
    <message>
        <source> (1)  If PQ =  r1 + r2 then the two circles touch each other externally.</source>
        <extracomment>Keep &quot; (1) &quot; first and the formula as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (1)  Se PQ = r1 + r2, le circonferenze sono tangenti esternamente.</translation>
    </message>
    <message>
        <source> (2)  If PQ = | r1 - r2 | then the two circles touch each other internally.</source>
        <extracomment>Keep &quot; (2) &quot; first and the formula as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (2)  Se PQ = | r1 - r2 |, le circonferenze sono tangenti internamente.</translation>
    </message>
    <message>
        <source> (3)  If | r1 - r2 | &lt; PQ &lt; r1 + r2  then the two circles intersect each other in 2 Points.</source>
        <extracomment>Keep &quot; (3) &quot; first and the formula as written, &quot;r1 + r2&quot; last; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (3)  Se | r1 - r2 | &lt; PQ &lt; r1 + r2, le circonferenze sono secanti in due punti.</translation>
    </message>
    <message>
        <source> (4)  If PQ &lt; | r1 - r2 |  then the two circles neither intersect nor touch and one of them is inside the other.</source>
        <extracomment>Keep &quot; (4) &quot; first and the formula as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (4)  Se PQ &lt; | r1 - r2 |, le circonferenze non hanno punti comuni: una è interna all’altra.</translation>
    </message>
    <message>
        <source> (5)  If PQ &gt; r1 + r2  then the two circles do not intersect or touch and each is outside the other.</source>
        <extracomment>Keep &quot; (5) &quot; first and the formula &quot;r1 + r2&quot; as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (5)  Se PQ &gt; r1 + r2, le circonferenze non hanno punti comuni: sono esterne.</translation>
    </message>
    <message>
        <source>Next</source>
        <extracomment>One short word on a button 33 pixels wide, as are Back, Print and Home.</extracomment>
        <translation>Vai</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Torna</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Stam.</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aiuto</translation>
    </message>
    <message>
        <source>In this Situation one and only one Possibility exists, out of below five..</source>
        <translation>Per due tali circonferenze vale uno e uno solo dei cinque casi seguenti.</translation>
    </message>
    <message>
        <source> Select the distance PQ between  their centers P and Q.</source>
        <translation>Scegli la distanza PQ tra i centri P e Q.</translation>
    </message>
    <message>
        <source>Tarvolen in a Plane</source>
        <translation>Tarvolen nel piano</translation>
    </message>
    <message>
        <source>This case holds for the chosen r1 = %1, r2 = %2 and PQ = %3.</source>
        <translation>Questo caso vale per i valori scelti r1 = %1, r2 = %2 e PQ = %3.</translation>
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
        <translation>Alt+T</translation>
    </message>
    <message>
        <source>Alt+P</source>
        <translation>Alt+S</translation>
    </message>
    <message>
        <source>Alt+H</source>
        <translation>Alt+E</translation>
    </message>
    <message>
        <source>Programmer: </source>
        <translation>Programmazione: </translation>
    </message>
    <message>
        <source>(Website, </source>
        <translation>(Sito web, </translation>
    </message>
    <message>
        <source>The two circles coincide: they have every point in common.</source>
        <translation>Le due circonferenze coincidono: hanno tutti i punti in comune.</translation>
    </message>
    <message>
        <source>Nothing was printed: %1 could not be opened.</source>
        <extracomment>%1 is the printer&apos;s name or the file&apos;s path.</extracomment>
        <translation>Non è stato stampato nulla: impossibile aprire %1.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Qt&apos;s Wayland plugin is missing (package qt6-wayland); </source>
        <translation>manca il plugin Wayland di Qt (pacchetto qt6-wayland); </translation>
    </message>
    <message>
        <source>tarvolen: no display could be opened for the lesson window (%1); %2run it under a virtual one with: xvfb-run -a %3</source>
        <translation>tarvolen: impossibile aprire uno schermo per la finestra della lezione (%1); %2avviala in uno schermo virtuale con: xvfb-run -a %3</translation>
    </message>
    <message>
        <source>tarvolen: the Qt platform plugin &quot;%1&quot; could not be loaded; the platforms Qt has are: %2</source>
        <extracomment>%1 is the platform asked for, %2 the list of those Qt has.</extracomment>
        <translation>tarvolen: impossibile caricare il plugin di piattaforma Qt «%1»; le piattaforme disponibili in Qt sono: %2</translation>
    </message>
</context>
</TS>
