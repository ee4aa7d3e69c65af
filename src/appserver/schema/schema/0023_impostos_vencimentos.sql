-- The rules the server computes an item's taxes from, the work tables that keep the document totals the sum
-- of the items while a posting is edited, and the payment terms the installments are made from.

-- How each tax is treated: 'R' retained at source (withheld from what the supplier is paid), 'C' credited.
ALTER TABLE IMPOSTO ADD COLUMN IDTRATIMPO VARCHAR(1) DEFAULT 'C';

-- ICMS of each state: its internal rate, its poverty fund (FCP) added on internal operations, and whether it
-- is of the South or Southeast but Espírito Santo, whose sales to the other states pay 7% instead of 12%.
CREATE TABLE ICMSESTADO (
    SGESTADO      VARCHAR(2)   NOT NULL PRIMARY KEY,
    VRALIQINTERNA NUMERIC(7,4) NOT NULL,
    VRALIQFCP     NUMERIC(7,4) DEFAULT 0,
    IDSULSUDESTE  VARCHAR(1)   DEFAULT 'N'
);

-- The fiscal side of an operation type: the CFOP it posts (the last three digits; the first is 1 inside the
-- state, 2 from another state, 3 from abroad), the one it posts when the item bears ICMS-ST, the CFOP
-- sub-code, whether the goods are for use or consumption (IPI enters the ICMS base, nothing is credited)
-- and whether the documents are of services. A type without a row posts 949 (other entries).
CREATE TABLE TPOPERFISC (
    CDTIPOOPER   VARCHAR(2) NOT NULL PRIMARY KEY REFERENCES TIPOOPERAC (CDTIPOOPER),
    CDCFOPBASE   VARCHAR(3) NOT NULL,
    CDCFOPBASEST VARCHAR(3),
    CDSUFXCFOP   VARCHAR(3) DEFAULT '001',
    IDUSOCONSUMO VARCHAR(1) DEFAULT 'N',
    IDSERVICO    VARCHAR(1) DEFAULT 'N'
);

-- A tax of a fiscal group applies to an item when a rule matches it: the longest NCM prefix and product tree
-- node win ('' matches every product), for internal operations ('I'), interstate and import ('X') or both
-- ('T'), on goods ('M') or services ('S'). A null rate takes the states' (ICMS, ICMS-ST, FCP). VRPERREDBC
-- is the base reduction in percent, VRMVA the added-value margin of ICMS-ST, CDSITUTRIB the CST without the
-- origin digit (null: derived), CDFISCIMPO the fiscal code (1 with credit, 2 exempt, 3 other).
CREATE TABLE REGRAIMPOSTO (
    CDGRUPOFISC   VARCHAR(3)   NOT NULL,
    CDIMPOSTO     VARCHAR(2)   NOT NULL REFERENCES IMPOSTO (CDIMPOSTO),
    CDNCM         VARCHAR(8)   DEFAULT '' NOT NULL,
    CDARVPROD     VARCHAR(20)  DEFAULT '' NOT NULL,
    IDABRANGENCIA VARCHAR(1)   DEFAULT 'T' NOT NULL,
    IDAPLICACAO   VARCHAR(1)   DEFAULT 'M' NOT NULL,
    VRALIQIMPO    NUMERIC(7,4),
    VRPERREDBC    NUMERIC(7,4) DEFAULT 0,
    VRMVA         NUMERIC(7,4) DEFAULT 0,
    CDSITUTRIB    VARCHAR(2),
    CDFISCIMPO    VARCHAR(1)   DEFAULT '1',
    PRIMARY KEY (CDGRUPOFISC, CDIMPOSTO, CDNCM, CDARVPROD, IDABRANGENCIA, IDAPLICACAO)
);

-- The fiscal group of a branch's operations by participant kind ('*' any kind); without a row the branch's
-- parameter CDGRUPOFISC holds.
CREATE TABLE GRUPOFISCOPER (
    CDFILIAL      VARCHAR(4) NOT NULL REFERENCES FILIAL (CDFILIAL),
    IDENTRSAIDOP  VARCHAR(1) NOT NULL,
    CDTIPOOPER    VARCHAR(2) NOT NULL,
    IDORIGDESTNF  VARCHAR(1) NOT NULL,
    CDGRUPOFISC   VARCHAR(3) NOT NULL,
    PRIMARY KEY (CDFILIAL, IDENTRSAIDOP, CDTIPOOPER, IDORIGDESTNF)
);

-- The last work code handed out per branch: a work code names the taxes of a posting being edited.
CREATE TABLE CODTRABIMPO (
    CDFILIAL     VARCHAR(4) NOT NULL PRIMARY KEY,
    NRULTCODTRAB INTEGER    NOT NULL
);

-- Each item's last generated taxes under the posting's work code, and the posting they were for.
CREATE TABLE IMPOTRABITEM (
    CDFILIAL    VARCHAR(4)  NOT NULL,
    CDCODTRAB   VARCHAR(10) NOT NULL,
    NRSEQITPROD VARCHAR(4)  NOT NULL,
    NRLANCTONF  VARCHAR(10) NOT NULL,
    DTREGISTRO  TIMESTAMP   NOT NULL,
    PRIMARY KEY (CDFILIAL, CDCODTRAB, NRSEQITPROD)
);
CREATE TABLE IMPOTRABVALOR (
    CDFILIAL     VARCHAR(4)    NOT NULL,
    CDCODTRAB    VARCHAR(10)   NOT NULL,
    NRSEQITPROD  VARCHAR(4)    NOT NULL,
    CDIMPOSTO    VARCHAR(2)    NOT NULL,
    VRIMPOSTOIT  NUMERIC(15,2) DEFAULT 0,
    VRBASECALCIT NUMERIC(15,2) DEFAULT 0,
    PRIMARY KEY (CDFILIAL, CDCODTRAB, NRSEQITPROD, CDIMPOSTO)
);

-- Payment conditions: the days of the installments from the issue date, "0" cash, "30/60/90" three.
CREATE TABLE CONDPAGTO (
    CDCONDPAGTO VARCHAR(3)  NOT NULL PRIMARY KEY,
    DSCONDPAGTO VARCHAR(40) NOT NULL,
    DSPRAZOS    VARCHAR(60) NOT NULL
);
ALTER TABLE FORNECEDOR ADD COLUMN CDCONDPAGTO VARCHAR(3);

-- Purchase authorizations (AF): the branch the goods go to, the branch that made it, its number, the
-- supplier and the payment condition and form agreed for it.
CREATE TABLE AUTORIZFORN (
    CDFILDEST    VARCHAR(4)  NOT NULL,
    CDFILLANC    VARCHAR(4)  NOT NULL,
    NRAUTOFORN   VARCHAR(10) NOT NULL,
    CDFORNECED   VARCHAR(21) NOT NULL REFERENCES FORNECEDOR (CDFORNECED),
    DTAUTOFORN   DATE        NOT NULL,
    IDTPFORPGTAF VARCHAR(1),
    CDCONDPAGTO  VARCHAR(3)  REFERENCES CONDPAGTO (CDCONDPAGTO),
    PRIMARY KEY (CDFILDEST, CDFILLANC, NRAUTOFORN)
);

-- Payable types and their financial class.
CREATE TABLE TIPOCTPAGAR (
    CDTPCTPAGAR VARCHAR(6)  NOT NULL PRIMARY KEY,
    DSTPCTPAGAR VARCHAR(40) NOT NULL,
    CDCLASSFINA VARCHAR(6)
);

-- The CFOPs of each operation type and whether their items make up the installments ('N': they do not,
-- as a bonus).
CREATE TABLE TPOPERCFOP (
    IDENTRSAIDOP VARCHAR(1) NOT NULL,
    CDTIPOOPER   VARCHAR(2) NOT NULL,
    CDFISCOPER   VARCHAR(4) NOT NULL,
    IDCOMPOEVENC VARCHAR(1) DEFAULT 'S' NOT NULL,
    PRIMARY KEY (IDENTRSAIDOP, CDTIPOOPER, CDFISCOPER)
);
