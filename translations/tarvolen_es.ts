<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>frmTarvolen_300413</name>
    <message>
        <source>Chapter 4:  Tarvolen in a Plane.</source>
        <translation>Capítulo 4:  Tarvolen en el plano.</translation>
    </message>
    <message>
        <source>Tarvolen in R²</source>
        <translation>Tarvolen en R²</translation>
    </message>
    <message>
        <source>Let us test it for practice..    Click &apos;Next&apos;</source>
        <translation>Ahora vamos a practicar.    Haz clic en «Sigue».</translation>
    </message>
    <message>
        <source>Now  select  length  of  radius  r1   for one circle.</source>
        <extracomment>Keep &quot;r1&quot;; no &quot;2&quot; or other &quot;r1&quot;.</extracomment>
        <translation>Elige ahora la longitud del radio r1 de la primera circunferencia.</translation>
    </message>
    <message>
        <source>Select  length  of  radius  r2  for  the  other circle.</source>
        <extracomment>Keep &quot;r2&quot;; no &quot;1&quot; or other &quot;r2&quot;.</extracomment>
        <translation>Elige la longitud del radio r2 de la otra circunferencia.</translation>
    </message>
    <message>
        <source> Select the distance PQ between  their centers P and Q</source>
        <translation>Elige la distancia PQ entre los centros P y Q.</translation>
    </message>
    <message>
        <source>Suppose that the centre of a circle is P and its radius is r1.</source>
        <extracomment>Keep &quot;r1&quot; once; no &quot;2&quot; anywhere.</extracomment>
        <translation>Sea una circunferencia de centro P y radio r1.</translation>
    </message>
    <message>
        <source>Suppose that in the same plane there is another circle with centre Q and radius r2.</source>
        <extracomment>Keep &quot;r2&quot; once; no &quot;1&quot; anywhere.</extracomment>
        <translation>Sea, en el mismo plano, otra circunferencia de centro Q y radio r2.</translation>
    </message>
    <message>
        <source>It  will  be  highlighted  according  to  your selection  of  r1 ,  r2  and  PQ.</source>
        <extracomment>Keep &quot;r1&quot;, &quot;r2&quot; and &quot;PQ&quot; once each.</extracomment>
        <translation>Se resaltará el caso que corresponde a tu elección de r1, r2 y PQ.</translation>
    </message>
    <message>
        <source>Double Click any of these 3 buttons and turn mouse wheel.</source>
        <translation>Haz doble clic en una de estas 3 listas y gira la rueda del ratón.</translation>
    </message>
    <message>
        <source> (1)  If PQ =  r1 + r2 then the two circles touch each other externally.</source>
        <extracomment>Keep &quot; (1) &quot; first and the formula as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (1)  Si PQ = r1 + r2, las circunferencias son tangentes exteriores.</translation>
    </message>
    <message>
        <source> (2)  If PQ = | r1 - r2 | then the two circles touch each other internally.</source>
        <extracomment>Keep &quot; (2) &quot; first and the formula as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (2)  Si PQ = | r1 - r2 |, las circunferencias son tangentes interiores.</translation>
    </message>
    <message>
        <source> (3)  If | r1 - r2 | &lt; PQ &lt; r1 + r2  then the two circles intersect each other in 2 Points.</source>
        <extracomment>Keep &quot; (3) &quot; first and the formula as written, &quot;r1 + r2&quot; last; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (3)  Si | r1 - r2 | &lt; PQ &lt; r1 + r2, las circunferencias se cortan en dos puntos.</translation>
    </message>
    <message>
        <source> (4)  If PQ &lt; | r1 - r2 |  then the two circles neither intersect nor touch and one of them is inside the other.</source>
        <extracomment>Keep &quot; (4) &quot; first and the formula as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (4)  Si PQ &lt; | r1 - r2 |, las circunferencias no tienen puntos comunes: una es interior a la otra.</translation>
    </message>
    <message>
        <source> (5)  If PQ &gt; r1 + r2  then the two circles do not intersect or touch and each is outside the other.</source>
        <extracomment>Keep &quot; (5) &quot; first and the formula &quot;r1 + r2&quot; as written; no other &quot;r1&quot; or &quot;r2&quot;.</extracomment>
        <translation> (5)  Si PQ &gt; r1 + r2, las circunferencias no tienen puntos comunes: son exteriores.</translation>
    </message>
    <message>
        <source>Next</source>
        <extracomment>One short word on a button 33 pixels wide, as are Back, Print and Home.</extracomment>
        <translation>Sigue</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Impr.</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>In this Situation one and only one Possibility exists, out of below five..</source>
        <translation>En esta situación se da uno y solo uno de los cinco casos siguientes.</translation>
    </message>
    <message>
        <source> Select the distance PQ between  their centers P and Q.</source>
        <translation>Elige la distancia PQ entre los centros P y Q.</translation>
    </message>
    <message>
        <source>Tarvolen in a Plane</source>
        <translation>Tarvolen en el plano</translation>
    </message>
    <message>
        <source>This case holds for the chosen r1 = %1, r2 = %2 and PQ = %3.</source>
        <translation>Este caso se cumple para los valores elegidos r1 = %1, r2 = %2 y PQ = %3.</translation>
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
        <translation>Alt+S</translation>
    </message>
    <message>
        <source>Alt+B</source>
        <translation>Alt+A</translation>
    </message>
    <message>
        <source>Alt+P</source>
        <translation>Alt+I</translation>
    </message>
    <message>
        <source>Alt+H</source>
        <translation>Alt+F</translation>
    </message>
    <message>
        <source>Programmer: </source>
        <translation>Programación: </translation>
    </message>
    <message>
        <source>(Website, </source>
        <translation>(Sitio web, </translation>
    </message>
    <message>
        <source>The two circles coincide: they have every point in common.</source>
        <translation>Las dos circunferencias coinciden: tienen todos sus puntos en común.</translation>
    </message>
    <message>
        <source>Nothing was printed: %1 could not be opened.</source>
        <extracomment>%1 is the printer&apos;s name or the file&apos;s path.</extracomment>
        <translation>No se imprimió nada: no se pudo abrir %1.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Qt&apos;s Wayland plugin is missing (package qt6-wayland); </source>
        <translation>falta el módulo Wayland de Qt (paquete qt6-wayland); </translation>
    </message>
    <message>
        <source>tarvolen: no display could be opened for the lesson window (%1); %2run it under a virtual one with: xvfb-run -a %3</source>
        <translation>tarvolen: no se pudo abrir ninguna pantalla para la ventana de la lección (%1); %2ábrela en una pantalla virtual con: xvfb-run -a %3</translation>
    </message>
    <message>
        <source>tarvolen: the Qt platform plugin &quot;%1&quot; could not be loaded; the platforms Qt has are: %2</source>
        <extracomment>%1 is the platform asked for, %2 the list of those Qt has.</extracomment>
        <translation>tarvolen: no se pudo cargar el complemento de plataforma de Qt «%1»; Qt dispone de estas plataformas: %2</translation>
    </message>
</context>
</TS>
